#include "screentest/ReportMap.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/PngEncoder.h"
#include "screentest/MarkRing.h"

#include <algorithm>

namespace {

constexpr plat::COLORREF kMapBack = plat::RGB(64, 64, 64);
constexpr plat::COLORREF kMapMark = plat::RGB(255, 0, 0);
constexpr int kNumberHeight = 12;

}

bool ReportMapPng(int width, int height, const std::vector<DefectMark>& marks, std::string* png)
{
    // Rounded up, so a monitor of any size keeps at least one pixel.
    int mapWidth = std::max(1, (width + kMapScale - 1) / kMapScale);
    int mapHeight = std::max(1, (height + kMapScale - 1) / kMapScale);
    plat::DeviceContext dc;
    dc.CreateCompatibleDC(nullptr);
    plat::Bitmap map;
    if (!map.CreateCompatibleBitmap(dc, mapWidth, mapHeight))
        return false;
    dc.SelectObject(map);
    dc.FillSolidRect({ 0, 0, mapWidth, mapHeight }, kMapBack);

    plat::Font font;
    font.CreateFont(kNumberHeight, 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET, plat::OUT_DEFAULT_PRECIS,
        plat::CLIP_DEFAULT_PRECIS, plat::DEFAULT_QUALITY, plat::DEFAULT_PITCH, "宋体");
    dc.SelectObject(font);
    dc.SetBkMode(plat::TRANSPARENT);
    dc.SetTextColor(kMapMark);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        plat::Point centre { marks[i].at.x / kMapScale, marks[i].at.y / kMapScale };
        DrawMarkRing(dc, centre, kMapMark);
        dc.TextOut(centre.x + kMarkRingRadius + 2, centre.y - kMarkRingRadius - kNumberHeight / 2,
            std::to_string(i + 1));
    }
    const plat::Surface* pixels = map.Pixels();
    return pixels && plat::EncodePng(*pixels, png);
}
