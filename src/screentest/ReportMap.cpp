#include "screentest/ReportMap.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/PngEncoder.h"
#include "screentest/MarkRing.h"

#include <algorithm>

namespace {

constexpr plat::COLORREF kMapBack = plat::RGB(64, 64, 64);
constexpr plat::COLORREF kMapMark = plat::RGB(255, 0, 0);
constexpr plat::COLORREF kNumberFill = plat::RGB(255, 255, 255);
constexpr plat::COLORREF kNumberOutline = plat::RGB(0, 0, 0);
// The numbers' height: a twentieth of the map's height, within these.
constexpr int kMinNumberHeight = 12;
constexpr int kMaxNumberHeight = 48;
// The gap between a ring and its number, and the number's outline.
constexpr int kGap = 2;
constexpr int kOutline = 1;

int NumberHeight(int mapHeight)
{
    return std::clamp(mapHeight / 20, kMinNumberHeight, kMaxNumberHeight);
}

// Where a number of `size` goes beside the ring around `centre`: above
// and to the right, else to the left where it would leave the map, then
// moved inside the map whole where it can be.
plat::Point NumberPlace(plat::Point centre, plat::Size size, int mapWidth, int mapHeight)
{
    int x = centre.x + kMarkRingRadius + kGap;
    if (x + size.cx + kOutline > mapWidth)
        x = centre.x - kMarkRingRadius - kGap - size.cx;
    int y = centre.y - kMarkRingRadius - size.cy / 2;
    x = std::max(kOutline, std::min(x, mapWidth - size.cx - kOutline));
    y = std::max(kOutline, std::min(y, mapHeight - size.cy - kOutline));
    return { x, y };
}

// Light text with a dark outline, legible on any colour.
void OutlinedText(plat::DeviceContext& dc, plat::Point at, const std::string& text)
{
    dc.SetTextColor(kNumberOutline);
    for (int dy = -kOutline; dy <= kOutline; ++dy) {
        for (int dx = -kOutline; dx <= kOutline; ++dx) {
            if (dx != 0 || dy != 0)
                dc.TextOut(at.x + dx, at.y + dy, text);
        }
    }
    dc.SetTextColor(kNumberFill);
    dc.TextOut(at.x, at.y, text);
}

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
    font.CreateFont(NumberHeight(mapHeight), 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET,
        plat::OUT_DEFAULT_PRECIS, plat::CLIP_DEFAULT_PRECIS, plat::DEFAULT_QUALITY, plat::DEFAULT_PITCH, "宋体");
    dc.SelectObject(font);
    dc.SetBkMode(plat::TRANSPARENT);
    // Rings first, then numbers, so no ring crosses a number.
    for (const DefectMark& mark : marks)
        DrawMarkRing(dc, { mark.at.x / kMapScale, mark.at.y / kMapScale }, kMapMark);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        plat::Point centre { marks[i].at.x / kMapScale, marks[i].at.y / kMapScale };
        OutlinedText(dc, NumberPlace(centre, dc.GetTextExtent(number), mapWidth, mapHeight), number);
    }
    const plat::Surface* pixels = map.Pixels();
    return pixels && plat::EncodePng(*pixels, png);
}
