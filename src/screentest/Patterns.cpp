#include "screentest/Patterns.h"

#include "platform/intl/Translate.h"
#include "screentest/TestColors.h"
#include "screentest/TestModes.h"

#include <array>

namespace {

const std::array kPatterns {
    Pattern { kModeDeadPixel, "dead-pixel", plat::TranslateLater("显示器\n坏点测试"), kDeadPixelColors, &CTestWnd::DrawDeadPixel },
    Pattern { kModeBlockFill, "block-fill", plat::TranslateLater("块填充\n纯色测试"), kTestColors, &CTestWnd::DrawBlockFill },
    Pattern { kModeDotFillDown, "dot-fill-down", plat::TranslateLater("点填充\n从上向下"), kTestColors, &CTestWnd::DrawDotFillDown },
    Pattern { kModeDotFillRight, "dot-fill-right", plat::TranslateLater("点填充\n从左向右"), kTestColors, &CTestWnd::DrawDotFillRight },
    Pattern { kModeHLineFill, "hline-fill", plat::TranslateLater("横线填充\n纯色测试"), kTestColors, &CTestWnd::DrawHLineFill },
    Pattern { kModeVLineFill, "vline-fill", plat::TranslateLater("竖线填充\n纯色测试"), kTestColors, &CTestWnd::DrawVLineFill },
    Pattern { kModeHLineGradient, "hline-gradient", plat::TranslateLater("横线填充\n渐变测试"), kTestColors, &CTestWnd::DrawHLineGradient },
    Pattern { kModeVLineGradient, "vline-gradient", plat::TranslateLater("竖线填充\n渐变测试"), kTestColors, &CTestWnd::DrawVLineGradient },
    Pattern { kModeGrey, "grey", plat::TranslateLater("灰阶均匀"), kGreyColors, &CTestWnd::DrawGrey },
    Pattern { kModeBlackLevel, "black-level", plat::TranslateLater("暗部与亮部细节"), kBlackLevelColors, &CTestWnd::DrawBlackLevel },
    Pattern { kModeGamma, "gamma", plat::TranslateLater("伽马"), kGammaColors, &CTestWnd::DrawGamma },
    Pattern { kModeSharpness, "sharpness", plat::TranslateLater("清晰度"), kSharpnessColors, &CTestWnd::DrawSharpness },
    Pattern { kModeGrid, "grid", plat::TranslateLater("几何"), kGridColors, &CTestWnd::DrawGrid },
    Pattern { kModeFlasher, "flasher", plat::TranslateLater("闪烁修复"), kFlasherColors, &CTestWnd::DrawFlasher },
};

std::size_t IndexOf(int mode)
{
    for (std::size_t i = 0; i < kPatterns.size(); ++i)
        if (kPatterns[i].mode == mode)
            return i;
    return kPatterns.size();
}

}

std::span<const Pattern> Patterns() { return kPatterns; }

const Pattern* FindPattern(int mode)
{
    std::size_t i = IndexOf(mode);
    return i < kPatterns.size() ? &kPatterns[i] : nullptr;
}

const Pattern* FindPattern(std::string_view name)
{
    for (const Pattern& pattern : kPatterns)
        if (pattern.name == name)
            return &pattern;
    return nullptr;
}

const Pattern& NextPattern(int mode)
{
    std::size_t i = IndexOf(mode);
    return kPatterns[i + 1 < kPatterns.size() ? i + 1 : 0];
}

const Pattern& PreviousPattern(int mode)
{
    std::size_t i = IndexOf(mode);
    return kPatterns[i > 0 && i < kPatterns.size() ? i - 1 : kPatterns.size() - 1];
}
