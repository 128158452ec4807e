#include "screentest/TestKeyTable.h"

#include "platform/intl/Translate.h"
#include "platform/ui/Messages.h"

#include <array>

namespace {

constexpr std::array<unsigned, 4> kForward { plat::VK_SPACE, plat::VK_RIGHT, plat::VK_DOWN, plat::VK_NEXT };
constexpr std::array<unsigned, 4> kBackward { plat::VK_BACK, plat::VK_LEFT, plat::VK_UP, plat::VK_PRIOR };
constexpr std::array<unsigned, 1> kHome { plat::VK_HOME };
constexpr std::array<unsigned, 1> kN { 'N' };
constexpr std::array<unsigned, 1> kP { 'P' };
constexpr std::array<unsigned, 1> kTab { plat::VK_TAB };
constexpr std::array<unsigned, 1> kZ { 'Z' };
constexpr std::array<unsigned, 1> kM { 'M' };
constexpr std::array<unsigned, 1> kC { 'C' };
constexpr std::array<unsigned, 1> kI { 'I' };
// '?' arrives as a typed character, whatever keys make it.
constexpr std::array<unsigned, 1> kF1 { plat::VK_F1 };
constexpr std::array<unsigned, 2> kEnd { plat::VK_ESCAPE, plat::VK_RETURN };

constexpr std::array<KeyBinding, 12> kKeys { {
    { kForward, plat::TranslateLater("空格  →  ↓  PageDown"), TestAction::NextStep,
        plat::TranslateLater("下一步 (同鼠标左键)") },
    { kBackward, "Backspace  ←  ↑  PageUp", TestAction::PreviousStep, plat::TranslateLater("上一步") },
    { kHome, "Home", TestAction::FirstStep, plat::TranslateLater("回到第一步") },
    { kN, "N", TestAction::NextPattern, plat::TranslateLater("下一个测试图案") },
    { kP, "P", TestAction::PreviousPattern, plat::TranslateLater("上一个测试图案") },
    { kTab, "Tab  Shift+Tab", TestAction::NextMonitor, plat::TranslateLater("移到下一个 / 上一个显示器") },
    { kZ, "Z", TestAction::Loupe, plat::TranslateLater("显示或关闭放大镜") },
    { kM, plat::TranslateLater("M  鼠标中键"), TestAction::Mark,
        plat::TranslateLater("标记鼠标下的像素 (M 再按一次取消)") },
    { kC, "C", TestAction::ClearMarks, plat::TranslateLater("清除本显示器的所有标记") },
    { kI, "I", TestAction::Inspect, plat::TranslateLater("逐项检查这台显示器, 最后给出像素缺陷等级") },
    { kF1, "F1  ?", TestAction::KeyMap, plat::TranslateLater("显示或关闭本说明") },
    { kEnd, plat::TranslateLater("Esc  Enter  鼠标右键"), TestAction::End, plat::TranslateLater("结束测试") },
} };

}

std::span<const KeyBinding> TestKeys() { return kKeys; }

const KeyBinding* FindTestKey(unsigned code)
{
    for (const KeyBinding& binding : kKeys)
        for (unsigned c : binding.codes)
            if (c == code)
                return &binding;
    return nullptr;
}
