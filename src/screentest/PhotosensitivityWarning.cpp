#include "screentest/PhotosensitivityWarning.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/intl/Translate.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// Twice the information lines' size, read at a glance.
constexpr int kWarningFontHeight = 32;
constexpr int kWarningFontWidth = 16;
constexpr int kLineGap = 44;
// Below the information lines and the marks' notice.
constexpr int kWarningMinTop = 200;

constexpr std::string_view kCaution = plat::TranslateLater(" 警告: 快速变化的颜色可能引发光敏性癫痫患者发作。 ");

}

void CPhotosensitivityWarning::Draw(plat::DeviceContext& dc, const plat::Rect& client, std::span<const std::string> lines)
{
    if (m_font.IsNull())
        m_font.CreateFont(kWarningFontHeight, kWarningFontWidth, 0, 0, plat::FW_DONTCARE, 0, 0, 0, plat::ANSI_CHARSET,
            plat::OUT_DEFAULT_PRECIS, plat::CLIP_DEFAULT_PRECIS, plat::DEFAULT_QUALITY, plat::DEFAULT_PITCH, "宋体");
    dc.SelectObject(m_font);
    const plat::COLORREF text = dc.SetTextColor(plat::RGB(255, 255, 255));
    const plat::COLORREF back = dc.SetBkColor(plat::RGB(0, 0, 0));
    std::vector<std::string> shown;
    shown.reserve(lines.size() + 1);
    shown.push_back(plat::Translate(kCaution));
    shown.insert(shown.end(), lines.begin(), lines.end());
    const int count = static_cast<int>(shown.size());
    const int top = std::max(kWarningMinTop, (client.Height() - count * kLineGap) / 2);
    for (int i = 0; i < count; ++i) {
        const std::string& line = shown[static_cast<std::size_t>(i)];
        dc.TextOut(std::max(0, (client.Width() - dc.GetTextExtent(line).cx) / 2), top + i * kLineGap, line);
    }
    dc.SetTextColor(text);
    dc.SetBkColor(back);
}
