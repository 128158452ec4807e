#pragma once

// The kernel's display connectors (/sys/class/drm/card*-*), each with its
// status and EDID, and which of them shows a given output. The environment
// variable LUMIVEX_DRM_DIR names another folder laid out the same way.

#include "platform/display/Edid.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

struct DrmConnector {
    std::string name;       // "HDMI-A-1": the folder's name without its "cardN-"
    bool connected = false; // its status file says "connected"
    std::string edid;       // raw bytes; empty when missing or unreadable
};

// A machine has a few dozen connectors at most; more are not read.
inline constexpr std::size_t kMaxDrmConnectors = 128;

// The connectors in `folder` (the first kMaxDrmConnectors found), sorted by
// folder name; none when the folder cannot be read. Files are read without
// blocking and only when regular, so a FIFO or a folder at a file's name
// reads as missing; each connector keeps only the bytes its files hold.
std::vector<DrmConnector> ReadDrmConnectors(const std::string& folder);
// The same for LUMIVEX_DRM_DIR when set, else /sys/class/drm.
std::vector<DrmConnector> ReadDrmConnectors();

// The connector showing the output the window system calls `outputName`:
// the only connected one, else the one of that name (ASCII case ignored).
// Null when neither picks exactly one.
const DrmConnector* MatchConnector(const std::vector<DrmConnector>& connectors, std::string_view outputName);

// The EDID of the monitor on output `outputName`; false when no connector
// matches or its EDID does not parse.
bool IdentifyMonitor(std::string_view outputName, EdidInfo* info);

}
