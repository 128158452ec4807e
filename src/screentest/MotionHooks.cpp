// The moving patterns as rows of the pattern table: each row's renderer
// draws its first frame whole (what a window without frames, or a picture
// of the step, shows), and its hooks ask for frames paced to the display
// and draw each one with the pattern's motion renderer. + and - change the
// speed, which the window keeps across patterns. The vsync square changes
// colour every refresh: like the flasher it shows the photosensitivity
// warning first and starts only on F.

#include "screentest/MotionPatterns.h"
#include "screentest/MotionSpeed.h"
#include "screentest/PatternHooks.h"
#include "screentest/PhotosensitivityWarning.h"
#include "screentest/StepFrame.h"
#include "screentest/TestKeyTable.h"

#include "platform/intl/Translate.h"
#include "platform/ui/Messages.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace {

using MotionRenderer = void (*)(plat::DeviceContext&, const plat::Rect&, const motion::MotionFrame&,
    const motion::MotionFrame*, motion::MotionDamage&);

constexpr std::string_view kKeysRemark = plat::TranslateLater("  +/- 键改变速度，右键退出 ");
constexpr std::string_view kWarnedKeysRemark = plat::TranslateLater("  F 键开始，右键退出 ");
constexpr std::string_view kVsyncWarning = plat::TranslateLater(" 按 F 键开始，Esc 键离开。方块每次刷新在红色与青色之间切换。 ");

constexpr unsigned kStartKey = 'F';

enum class Start { AtOnce,
    AfterWarning };

class MotionHooks final : public PatternHooks {
public:
    MotionHooks(MotionRenderer draw, Start start)
        : m_draw(draw)
        , m_started(start == Start::AtOnce)
    {
    }

    // Frames from the start, the warning's too: the presenter then has the
    // window from its first picture.
    void OnShow(PatternHost& host) override { host.RequestFrames(true); }

    bool OnKey(PatternHost& host, unsigned key) override
    {
        if (!m_started) {
            if (key != kStartKey)
                return false;
            m_started = true;
            return true;
        }
        const int direction = SpeedDirection(key);
        if (direction == 0)
            return false;
        host.SetMotionSpeed(NextMotionSpeed(host.MotionSpeed(), direction));
        return true;
    }

    void DrawFrame(plat::DeviceContext& dc, const plat::Rect& area, const motion::MotionFrame& now,
        const motion::MotionFrame* before, motion::MotionDamage& damage) override
    {
        if (!m_started) {
            if (!before) {
                dc.FillSolidRect(area, plat::RGB(0, 0, 0));
                const std::string line = plat::Translate(kVsyncWarning);
                m_warning.Draw(dc, area, std::span(&line, 1));
                damage.Add(area);
            }
            return;
        }
        if (!m_firstRefresh)
            m_firstRefresh = now.refresh;
        // A buffer still holding the warning is drawn whole.
        m_draw(dc, area, now, before && before->refresh >= *m_firstRefresh ? before : nullptr, damage);
    }

    std::string_view KeysRemark() const override { return m_started ? kKeysRemark : kWarnedKeysRemark; }

private:
    MotionRenderer m_draw;
    bool m_started;
    std::optional<std::uint64_t> m_firstRefresh; // of the first frame after the warning
    CPhotosensitivityWarning m_warning;
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
constexpr std::array<unsigned, 1> kStartCodes { kStartKey };

constexpr KeyBinding kFaster { kFasterCodes, plat::TranslateLater("+ (运动图案)"), TestAction::Pattern,
    plat::TranslateLater("加快运动 (120 到 3840 像素/秒, 每次加倍)") };
constexpr KeyBinding kSlower { kSlowerCodes, plat::TranslateLater("- (运动图案)"), TestAction::Pattern,
    plat::TranslateLater("减慢运动 (每次减半)") };

}

extern const std::array<KeyBinding, 2> kMotionKeys;
constexpr std::array<KeyBinding, 2> kMotionKeys { kFaster, kSlower };
extern const std::array<KeyBinding, 3> kVsyncKeys;
constexpr std::array<KeyBinding, 3> kVsyncKeys {
    KeyBinding { kStartCodes, plat::TranslateLater("F (垂直同步闪烁)"), TestAction::Pattern,
        plat::TranslateLater("在警告之后开始交替显示方块") },
    kFaster,
    kSlower,
};

StepDrawn DrawMotionLanes(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawLanes>(canvas); }
StepDrawn DrawMotionFrameSkip(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawFrameSkip>(canvas); }
StepDrawn DrawMotionPursuit(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawPursuit>(canvas); }
StepDrawn DrawMotionGhosting(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawGhosting>(canvas); }
StepDrawn DrawMotionVsync(const StepCanvas& canvas) { return DrawFirstFrame<motion::DrawVsync>(canvas); }

std::unique_ptr<PatternHooks> MakeLanesHooks() { return std::make_unique<MotionHooks>(motion::DrawLanes, Start::AtOnce); }
std::unique_ptr<PatternHooks> MakeFrameSkipHooks() { return std::make_unique<MotionHooks>(motion::DrawFrameSkip, Start::AtOnce); }
std::unique_ptr<PatternHooks> MakePursuitHooks() { return std::make_unique<MotionHooks>(motion::DrawPursuit, Start::AtOnce); }
std::unique_ptr<PatternHooks> MakeGhostingHooks() { return std::make_unique<MotionHooks>(motion::DrawGhosting, Start::AtOnce); }
std::unique_ptr<PatternHooks> MakeVsyncHooks() { return std::make_unique<MotionHooks>(motion::DrawVsync, Start::AfterWarning); }
