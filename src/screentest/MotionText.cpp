#include "screentest/MotionText.h"

#include "platform/intl/Translate.h"

#include <cstdio>
#include <vector>

namespace {

using plat::present::TimingHealth;
using plat::present::TimingSource;

constexpr std::string_view kFigures
    = plat::TranslateLater("帧 %s, 保持 %s, 丢弃 %s, 实测 %s Hz, 标称 %s Hz, 间隔标准差 %s 微秒, 计时 %s");
constexpr std::string_view kLine = plat::TranslateLater("运动: %s");
constexpr std::string_view kVariable = plat::TranslateLater("可变");

// printf into a string of the size it needs.
template <class... Args>
std::string Printed(const std::string& format, Args... args)
{
    const int n = std::snprintf(nullptr, 0, format.c_str(), args...);
    if (n <= 0)
        return {};
    std::vector<char> out(static_cast<std::size_t>(n) + 1);
    (void)std::snprintf(out.data(), out.size(), format.c_str(), args...);
    return { out.data(), static_cast<std::size_t>(n) };
}

std::string Rate(std::optional<double> hz, bool variable)
{
    if (variable)
        return plat::Translate(kVariable);
    if (!hz || !(*hz > 0))
        return "-";
    return Printed(std::string("%.3f"), *hz);
}

}

std::string HealthWord(TimingHealth health)
{
    switch (health) {
    case TimingHealth::Synced:
        return plat::Translate("同步");
    case TimingHealth::Held:
        return plat::Translate("保持");
    case TimingHealth::Dropped:
        return plat::Translate("丢弃");
    case TimingHealth::Settling:
        break;
    }
    return plat::Translate("测量中");
}

std::string SourceWord(TimingSource source)
{
    switch (source) {
    case TimingSource::Vblank:
        return plat::Translate("垂直同步");
    case TimingSource::Compositor:
        return plat::Translate("合成器时钟");
    case TimingSource::Estimated:
        break;
    }
    return plat::Translate("估计");
}

std::string MotionFigures(const MotionReading& r)
{
    const std::string frames = std::to_string(r.frames);
    const std::string held = std::to_string(r.held);
    const std::string dropped = std::to_string(r.dropped);
    const std::string measured = Rate(r.measuredHz, r.variable);
    const std::string nominal = Rate(r.nominalHz > 0 ? std::optional<double>(r.nominalHz) : std::nullopt, r.variable);
    const std::string deviation = Printed(std::string("%.0f"), r.deviationUs);
    const std::string source = SourceWord(r.source);
    return Printed(plat::TranslateFormat(kFigures), frames.c_str(), held.c_str(), dropped.c_str(), measured.c_str(),
        nominal.c_str(), deviation.c_str(), source.c_str());
}

std::string MotionLine(const MotionReading& reading)
{
    return Printed(plat::TranslateFormat(kLine), MotionFigures(reading).c_str());
}
