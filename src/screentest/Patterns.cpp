#include "screentest/Patterns.h"

#include "platform/intl/Translate.h"
#include "screentest/TestColors.h"

#include <array>
#include <memory>

// The renderers, each in a file of its own, and the hooks and keys of
// the patterns that have them.
StepDrawn DrawDeadPixel(const StepCanvas& canvas);
StepDrawn DrawBlockFill(const StepCanvas& canvas);
StepDrawn DrawDotFillDown(const StepCanvas& canvas);
StepDrawn DrawDotFillRight(const StepCanvas& canvas);
StepDrawn DrawHLineFill(const StepCanvas& canvas);
StepDrawn DrawVLineFill(const StepCanvas& canvas);
StepDrawn DrawHLineGradient(const StepCanvas& canvas);
StepDrawn DrawVLineGradient(const StepCanvas& canvas);
StepDrawn DrawGrey(const StepCanvas& canvas);
StepDrawn DrawBlackLevel(const StepCanvas& canvas);
StepDrawn DrawGamma(const StepCanvas& canvas);
StepDrawn DrawSharpness(const StepCanvas& canvas);
StepDrawn DrawGrid(const StepCanvas& canvas);
StepDrawn DrawFlasher(const StepCanvas& canvas);
std::unique_ptr<PatternHooks> MakeFlasherHooks();
extern const std::array<KeyBinding, 2> kFlasherKeys;
StepDrawn DrawMotionLanes(const StepCanvas& canvas);
StepDrawn DrawMotionFrameSkip(const StepCanvas& canvas);
StepDrawn DrawMotionPursuit(const StepCanvas& canvas);
StepDrawn DrawMotionGhosting(const StepCanvas& canvas);
StepDrawn DrawMotionVsync(const StepCanvas& canvas);
std::unique_ptr<PatternHooks> MakeLanesHooks();
std::unique_ptr<PatternHooks> MakeFrameSkipHooks();
std::unique_ptr<PatternHooks> MakePursuitHooks();
std::unique_ptr<PatternHooks> MakeGhostingHooks();
std::unique_ptr<PatternHooks> MakeVsyncHooks();
extern const std::array<KeyBinding, 2> kMotionKeys;

namespace {

const std::array kPatterns {
    Pattern { "dead-pixel", plat::TranslateLater("显示器\n坏点测试"), kDeadPixelColors, DrawDeadPixel },
    Pattern { "block-fill", plat::TranslateLater("块填充\n纯色测试"), kTestColors, DrawBlockFill },
    Pattern { "dot-fill-down", plat::TranslateLater("点填充\n从上向下"), kTestColors, DrawDotFillDown },
    Pattern { "dot-fill-right", plat::TranslateLater("点填充\n从左向右"), kTestColors, DrawDotFillRight },
    Pattern { "hline-fill", plat::TranslateLater("横线填充\n纯色测试"), kTestColors, DrawHLineFill },
    Pattern { "vline-fill", plat::TranslateLater("竖线填充\n纯色测试"), kTestColors, DrawVLineFill },
    Pattern { "hline-gradient", plat::TranslateLater("横线填充\n渐变测试"), kTestColors, DrawHLineGradient },
    Pattern { "vline-gradient", plat::TranslateLater("竖线填充\n渐变测试"), kTestColors, DrawVLineGradient },
    Pattern { "grey", plat::TranslateLater("灰阶均匀"), kGreyColors, DrawGrey },
    Pattern { "black-level", plat::TranslateLater("暗部与亮部细节"), kBlackLevelColors, DrawBlackLevel },
    Pattern { "gamma", plat::TranslateLater("伽马"), kGammaColors, DrawGamma },
    Pattern { "sharpness", plat::TranslateLater("清晰度"), kSharpnessColors, DrawSharpness },
    Pattern { "grid", plat::TranslateLater("几何"), kGridColors, DrawGrid },
    Pattern { "flasher", plat::TranslateLater("闪烁修复"), kFlasherColors, DrawFlasher, MakeFlasherHooks, kFlasherKeys },
    Pattern { "motion", plat::TranslateLater("运动模糊"), kMotionColors, DrawMotionLanes, MakeLanesHooks, kMotionKeys },
    Pattern { "frame-skip", plat::TranslateLater("跳帧检测"), kMotionColors, DrawMotionFrameSkip, MakeFrameSkipHooks, kMotionKeys },
    Pattern { "pursuit", plat::TranslateLater("追踪拍摄"), kMotionColors, DrawMotionPursuit, MakePursuitHooks, kMotionKeys },
    Pattern { "ghosting", plat::TranslateLater("拖影与过冲"), kMotionColors, DrawMotionGhosting, MakeGhostingHooks, kMotionKeys },
    Pattern { "vsync", plat::TranslateLater("垂直同步闪烁"), kMotionColors, DrawMotionVsync, MakeVsyncHooks, kMotionKeys },
};

// The index of `pattern` in the table; the table's size for null.
std::size_t IndexOf(const Pattern* pattern)
{
    return pattern ? static_cast<std::size_t>(pattern - kPatterns.data()) : kPatterns.size();
}

}

std::span<const Pattern> Patterns() { return kPatterns; }

const Pattern* FindPattern(std::string_view name)
{
    for (const Pattern& pattern : kPatterns)
        if (pattern.name == name)
            return &pattern;
    return nullptr;
}

const Pattern& NextPattern(const Pattern* pattern)
{
    std::size_t i = IndexOf(pattern);
    return kPatterns[i + 1 < kPatterns.size() ? i + 1 : 0];
}

const Pattern& PreviousPattern(const Pattern* pattern)
{
    std::size_t i = IndexOf(pattern);
    return kPatterns[i > 0 && i < kPatterns.size() ? i - 1 : kPatterns.size() - 1];
}
