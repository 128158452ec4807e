#pragma once

// What the report says about the tested monitor: the window system's index
// and size, and from its EDID (when the kernel's connector can be matched
// to it) its maker, model, serial, date of manufacture and physical size.
// Empty texts are unknown.

#include <string>

struct MonitorIdentity {
    int index = 1;    // counted from 1, the primary screen first
    std::string name; // the EDID's monitor name, else the window system's
    int width = 0;    // the area the pattern covers, in pixels
    int height = 0;
    std::string maker;  // three-letter maker id
    std::string model;  // product code, four hexadecimal digits
    std::string serial; // serial text, else serial number
    std::string made;   // "2019-W12", or the year alone
    int widthMm = 0;    // the picture's physical size; 0 when unknown
    int heightMm = 0;
};

// The identity of monitor `index` (0 is the primary screen) as it is now;
// only the index when there is no such monitor.
MonitorIdentity IdentifyTestedMonitor(int index);
