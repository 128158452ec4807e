#include "screentest/MonitorIdentity.h"

#include "platform/display/DrmConnectors.h"
#include "platform/ui/Monitors.h"

#include <cstdio>

MonitorIdentity IdentifyTestedMonitor(int index)
{
    MonitorIdentity identity;
    identity.index = index + 1;
    plat::MonitorInfo info;
    if (!plat::GetMonitorInfo(index, &info))
        return identity;
    identity.name = info.name;
    identity.width = info.rcMonitor.Width();
    identity.height = info.rcMonitor.Height();

    plat::EdidInfo edid;
    if (!plat::IdentifyMonitor(info.name, &edid))
        return identity;
    if (!edid.name.empty())
        identity.name = edid.name;
    identity.maker = edid.maker;
    identity.widthMm = edid.widthMm;
    identity.heightMm = edid.heightMm;
    char text[16];
    (void)std::snprintf(text, sizeof text, "%04X", edid.productCode);
    identity.model = text;
    if (!edid.serialText.empty())
        identity.serial = edid.serialText;
    else if (edid.serialNumber != 0)
        identity.serial = std::to_string(edid.serialNumber);
    if (edid.week > 0 && !edid.modelYear)
        (void)std::snprintf(text, sizeof text, "%d-W%02d", edid.year, edid.week);
    else
        (void)std::snprintf(text, sizeof text, "%d", edid.year);
    identity.made = text;
    return identity;
}
