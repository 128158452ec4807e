// The sharpness pattern: one-pixel detail that a monitor shows crisp only
// at its native resolution without scaling or over-sharpening - a
// checkerboard, vertical stripes, horizontal stripes - then one sentence
// at four sizes of the program's font, black on white.

#include "platform/intl/Translate.h"
#include "screentest/PixelTile.h"
#include "screentest/StepFrame.h"

#include <array>
#include <string>
#include <string_view>

namespace {

constexpr int kTextStep = 3;
constexpr std::array<int, 4> kTextSizes { 9, 12, 16, 24 };
constexpr std::string_view kSentence
    = plat::TranslateLater("清晰度测试: 文字的每一笔都应清楚锐利, 没有重影、彩边或模糊。 Sharp text 0123456789");
// The sentences start under the information lines.
constexpr int kTextX = 100;
constexpr int kTextY = 200;
constexpr int kTextLineGap = 12;

// The sample text in the shown language and its fonts, made before the
// clock starts; the fonts are deleted after.
struct SampleFonts {
    std::string sentence;
    std::array<plat::Font, kTextSizes.size()> fonts;

    bool DeleteObject()
    {
        for (plat::Font& font : fonts)
            font.DeleteObject();
        return true;
    }
};

SampleFonts MakeSampleFonts(int step)
{
    SampleFonts sample;
    if (step != kTextStep)
        return sample;
    sample.sentence = plat::Translate(kSentence);
    for (std::size_t i = 0; i < kTextSizes.size(); ++i)
        sample.fonts[i].CreateFont(kTextSizes[i], 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::ANSI_CHARSET,
            plat::OUT_DEFAULT_PRECIS, plat::CLIP_DEFAULT_PRECIS, plat::DEFAULT_QUALITY, plat::DEFAULT_PITCH, "宋体");
    return sample;
}

}

StepDrawn DrawSharpness(const StepCanvas& canvas)
{
    const int step = canvas.step;
    return DrawStepFrame(
        canvas, [step](plat::DeviceContext&, plat::COLORREF) { return MakeSampleFonts(step); },
        [step](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF white, SampleFonts& sample) {
            const int width = client.Width();
            const int height = client.Height();
            const plat::COLORREF black = plat::RGB(0, 0, 0);
            switch (step) {
            case 0:
                FillTiled(dc, width, height, [=](int x, int y) { return (x + y) % 2 == 0 ? white : black; });
                return;
            case 1:
                FillTiled(dc, width, height, [=](int x, int) { return x % 2 == 0 ? white : black; });
                return;
            case 2:
                FillTiled(dc, width, height, [=](int, int y) { return y % 2 == 0 ? white : black; });
                return;
            default:
                break;
            }
            dc.FillSolidRect(client, white);
            // The context's default colours: black text on white.
            int y = kTextY;
            for (std::size_t i = 0; i < kTextSizes.size(); ++i) {
                dc.SelectObject(sample.fonts[i]);
                dc.TextOut(kTextX, y, sample.sentence);
                y += kTextSizes[i] + kTextLineGap;
            }
        });
}
