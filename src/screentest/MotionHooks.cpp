// The moving patterns as rows of the pattern table: each row's renderer
// draws its first frame whole (what a window without frames, or a picture
// of the step, shows), and its hooks ask for frames paced to the display
// and draw each one with the pattern's motion renderer. + and - change the
// speed, which the window keeps across patterns.

#include "screentest/MotionPatterns.h"
#include "screentest/MotionSpeed.h"
#include "screentest/PatternHooks.h"
#include "screentest/StepFrame.h"
#include "screentest/TestKeyTable.h"

#include "platform/intl/Translate.h"
#include "platform/ui/Messages.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

namespace {

using MotionRenderer = void (*)(plat::DeviceContext&, const plat::Rect&, const motion::MotionFrame&,
    const motion::MotionFrame*, motion::MotionDamage&);

constexpr std::string_view kKeysRemark = plat::TranslateLater("  +/- 键改变速度，右键退出 ");

class MotionHooks final : public PatternHooks {
public:
    explicit MotionHooks(MotionRenderer draw)
        : m_draw(draw)
    {
    }

    void OnShow(PatternHost& host) override { host.RequestFrames(true); }

    bool OnKey(PatternHost& host, unsigned key) override
    {
        const int direction = SpeedDirection(key);
        if (direction == 0)
            return false;
        host.SetMotionSpeed(NextMotionSpeed(host.MotionSpeed(), direction));
        return true;
    }

    void DrawFrame(plat::DeviceContext& dc, const plat::Rect& area, const motion::MotionFrame& now,
        const motion::MotionFrame* before, motion::MotionDamage& damage) override
    {
        m_draw(dc, area, now, before, damage);
    }

    std::string_view KeysRemark() const override { return kKeysRemark; }

private:
    MotionRenderer m_draw;
};

// The first frame, whole, as a step.
template <MotionRenderer Draw>
StepDrawn DrawFirstFrame(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeNoTool, [](plat::DeviceContext& dc, const plat::Rect& area, plat::COLORREF, NoTool) {
        motion::MotionDamage damage;
        Draw(dc, area, motion::MotionFrame {}, nullptr, damage);
    });
}

constexpr std::array<unsigned, 2> kFasterCodes { plat::VK_OEM_PLUS, plat::VK_ADD };
constexpr std::array<unsigned, 2> kSlowerCodes { plat::VK_OEM_MINUS, plat::VK_SUBTRACT };

}

extern const std::array<KeyBinding, 2> kMotionKeys;
constexpr std::array<KeyBinding, 2> kMotionKeys { {
    { kFasterCodes, plat::TranslateLater("+ (运动图案)"), TestAction::Pattern,
        plat::TranslateLater("加快运动 (120 到 3840 像素/秒, 每次加倍)") },
    { kSlowerCodes, plat::TranslateLater("- (运动图案)"), TestAction::Pattern,
        plat::TranslateLater("减慢运动 (每次减半)") },
} };

StepDrawn DrawMotionLanes(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawLanes>(canvas); }
StepDrawn DrawMotionFrameSkip(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawFrameSkip>(canvas); }
StepDrawn DrawMotionPursuit(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawPursuit>(canvas); }
StepDrawn DrawMotionGhosting(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawGhosting>(canvas); }
StepDrawn DrawMotionVsync(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawVsync>(canvas); }

std::unique_ptr<PatternHooks> MakeLanesHooks() { return std::make_unique<MotionHooks>(motion::DrawLanes); }
std::unique_ptr<PatternHooks> MakeFrameSkipHooks() { return std::make_unique<MotionHooks>(motion::DrawFrameSkip); }
std::unique_ptr<PatternHooks> MakePursuitHooks() { return std::make_unique<MotionHooks>(motion::DrawPursuit); }
std::unique_ptr<PatternHooks> MakeGhostingHooks() { return std::make_unique<MotionHooks>(motion::DrawGhosting); }
std::unique_ptr<PatternHooks> MakeVsyncHooks() { return std::make_unique<MotionHooks>(motion::DrawVsync); }
