#include "BmpBytes.h"

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/ImageList.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace plat {
namespace {

// Random calls with coordinates anywhere in the int range, on a context that
// covers only the middle of its surface: nothing may change outside that
// area (and, under AddressSanitizer, nothing may be written outside the buffer).
TEST(BadInput, RandomCallsNeverDrawOutsideTheContextArea)
{
    std::mt19937 random(2024);
    const int extremes[] = { INT_MIN, INT_MIN + 1, -1000000000, -70000, -1, 0, 1, 5, 19, 20, 21, 70000, 1000000000,
        INT_MAX - 1, INT_MAX };
    std::uniform_int_distribution<int> near(-30, 50);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(extremes)) - 1);
    auto coord = [&] { return random() % 3 == 0 ? extremes[pick(random)] : near(random); };

    Icon icon;
    ASSERT_TRUE(icon.LoadFromBmp(test::MakeBmp(3, 3, 32, std::vector<std::uint32_t>(9, 0xFF00FF00))));
    Bitmap picture;
    ASSERT_TRUE(picture.LoadFromBmp(test::MakeBmp(4, 4, 24, std::vector<std::uint32_t>(16, 0xFF0000FF))));
    ImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24 | ILC_MASK, 1, 1));
    list.AddMasked(picture, RGB(255, 255, 255));
    DeviceContext source;
    source.CreateCompatibleDC(nullptr);
    source.SelectObject(picture);

    const Rect area { 10, 8, 30, 22 };
    for (int round = 0; round < 3000; ++round) {
        Surface s(40, 30);
        DeviceContext dc(s, area);
        dc.SelectObject(Pen(PS_SOLID, 1, RGB(255, 0, 0)));
        dc.SelectObject(Brush(RGB(0, 0, 255)));
        dc.SetBkColor(RGB(0, 255, 0));
        switch (round % 9) {
        case 0:
            dc.FillRect({ coord(), coord(), coord(), coord() }, Brush(RGB(1, 2, 3)));
            break;
        case 1:
            dc.MoveTo(coord(), coord());
            dc.LineTo(coord(), coord());
            break;
        case 2:
            dc.SetPixel(coord(), coord(), RGB(9, 9, 9));
            break;
        case 3:
            dc.RoundRect(coord(), coord(), coord(), coord(), coord(), coord());
            break;
        case 4:
            dc.TextOut(coord(), coord(), "测试 Ab\n\xFF");
            break;
        case 5:
            dc.DrawText("第一行\r\n第二行", { coord(), coord(), coord(), coord() }, random() % 64);
            break;
        case 6:
            dc.BitBlt(coord(), coord(), coord(), coord(), source, coord(), coord(), SRCCOPY);
            break;
        case 7:
            list.Draw(dc, 0, { coord(), coord() }, ILD_TRANSPARENT);
            break;
        case 8:
            dc.DrawIconEx(coord(), coord(), icon, near(random), near(random));
            break;
        }
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (area.Contains({ x, y }))
                    continue;
                ASSERT_EQ(s.Pixel(x, y), 0u) << "round " << round << " at " << x << ',' << y;
            }
        }
    }
}

}
}
