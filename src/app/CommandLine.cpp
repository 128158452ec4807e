#include "app/CommandLine.h"

#include "app/FormatText.h"
#include "app/ShownArgument.h"
#include "platform/intl/Translate.h"
#include "screentest/MotionSpeed.h"
#include "screentest/Patterns.h"
#include "screentest/TestKeyTable.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

using Action = CommandLine::Action;

struct Option {
    std::string_view name;
    bool takesValue;
    Action action; // MainWindow for --monitor, --step and --speed, which only qualify --test (and --inspect)
};

constexpr Option kOptions[] = {
    { "--test", true, Action::Test },
    { "--monitor", true, Action::MainWindow },
    { "--step", true, Action::MainWindow },
    { "--inspect", false, Action::Inspect },
    { "--speed", true, Action::MainWindow },
    { "--list", false, Action::List },
    { "--help", false, Action::Help },
    { "--version", false, Action::Version },
};

// The place of option `name` in kOptions.
constexpr std::size_t IndexOf(std::string_view name)
{
    std::size_t index = 0;
    while (index < std::size(kOptions) && kOptions[index].name != name)
        ++index;
    return index;
}

constexpr std::string_view kOptionSummary
    = plat::TranslateLater("--test 名称 [--monitor N] [--step K] [--speed N], --inspect [--monitor N], --list, --help, --version");

CommandLine Error(std::string text)
{
    CommandLine command;
    command.action = Action::Error;
    command.error = std::move(text);
    return command;
}

std::string PatternNames()
{
    std::string names;
    for (const Pattern& pattern : Patterns())
        names += (names.empty() ? "" : ", ") + std::string(pattern.name);
    return names;
}

// The whole of `text` as a decimal int, or nothing.
std::optional<int> ParseInt(std::string_view text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}

CommandLine ParseCommandLine(std::span<const std::string> args)
{
    // The value of each option given, by its place in kOptions.
    std::optional<std::string> given[std::size(kOptions)];
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-')
            return Error(FormatText(plat::TranslateFormat("多余的参数 \"%s\" (可用的选项: %s)"), ShownArgument(arg).c_str(),
                plat::Translate(kOptionSummary).c_str()));
        std::size_t equals = arg.find('=');
        std::string_view name = std::string_view(arg).substr(0, equals);
        const std::size_t index = IndexOf(name);
        if (index == std::size(kOptions))
            return Error(FormatText(plat::TranslateFormat("未知的选项 \"%s\" (可用的选项: %s)"), ShownArgument(name).c_str(),
                plat::Translate(kOptionSummary).c_str()));
        const Option& option = kOptions[index];
        if (given[index])
            return Error(FormatText(plat::TranslateFormat("选项 %s 重复给出"), std::string(name).c_str()));
        if (!option.takesValue && equals != std::string::npos)
            return Error(FormatText(plat::TranslateFormat("选项 %s 不带值"), std::string(name).c_str()));
        if (!option.takesValue) {
            given[index] = "";
        } else if (equals != std::string::npos) {
            given[index] = arg.substr(equals + 1);
        } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
            given[index] = args[++i];
        } else {
            return Error(FormatText(plat::TranslateFormat("选项 %s 缺少值"), std::string(name).c_str()));
        }
    }

    CommandLine command;
    const Option* chosen = nullptr;
    for (std::size_t index = 0; index < std::size(kOptions); ++index) {
        if (!given[index] || kOptions[index].action == Action::MainWindow)
            continue;
        if (chosen)
            return Error(FormatText(plat::TranslateFormat("选项 %s 和 %s 不能同时使用"), std::string(chosen->name).c_str(),
                std::string(kOptions[index].name).c_str()));
        chosen = &kOptions[index];
        command.action = chosen->action;
    }
    const std::optional<std::string>& test = given[IndexOf("--test")];
    const std::optional<std::string>& monitor = given[IndexOf("--monitor")];
    const std::optional<std::string>& step = given[IndexOf("--step")];
    const std::optional<std::string>& speed = given[IndexOf("--speed")];
    const bool inspect = command.action == Action::Inspect;
    if ((monitor && !inspect && !test) || ((step || speed) && !test))
        return Error(FormatText(plat::TranslateFormat("%s 只能与 --test 一起使用"),
            step ? "--step" : speed ? "--speed"
                                    : "--monitor"));
    if (monitor) {
        std::optional<int> number = ParseInt(*monitor);
        if (!number)
            return Error(FormatText(plat::TranslateFormat("--monitor 的值 \"%s\" 不是整数"), ShownArgument(*monitor).c_str()));
        command.monitor = *number;
    }
    if (!test)
        return command;

    command.pattern = FindPattern(std::string_view(*test));
    if (!command.pattern)
        return Error(test->empty()
                ? FormatText(plat::TranslateFormat("--test 缺少图案名称 (可用的图案: %s)"), PatternNames().c_str())
                : FormatText(plat::TranslateFormat("没有名为 \"%s\" 的测试图案 (可用的图案: %s)"), ShownArgument(*test).c_str(),
                    PatternNames().c_str()));
    if (step) {
        std::optional<int> number = ParseInt(*step);
        const int last = command.pattern->Steps() - 1;
        if (!number || *number < 0 || *number > last)
            return Error(FormatText(plat::TranslateFormat("--step 的值 \"%s\" 无效: %s 的步骤为 0 到 %d"), ShownArgument(*step).c_str(),
                std::string(command.pattern->name).c_str(), last));
        command.step = *number;
    }
    if (speed) {
        std::optional<int> number = ParseInt(*speed);
        const auto slowest = static_cast<int>(kMotionSpeeds.front());
        const auto fastest = static_cast<int>(kMotionSpeeds.back());
        if (!number || *number < slowest || *number > fastest)
            return Error(FormatText(plat::TranslateFormat("--speed 的值 \"%s\" 无效: 速度为 %d 到 %d 像素/秒"),
                ShownArgument(*speed).c_str(), slowest, fastest));
        command.speed = *number;
    }
    return command;
}

std::string UsageText(std::string_view program)
{
    std::string text = FormatText(plat::TranslateFormat("用法: %s [选项]\n"
                                                        "不带选项时打开主窗口。\n"
                                                        "  --test 名称     立即全屏显示该测试图案, 不打开主窗口, 结束测试即退出\n"
                                                        "  --inspect       逐项引导检查显示器, 最后给出像素缺陷等级并写出报告\n"
                                                        "  --monitor N     在第 N 个显示器上显示 (1 为主显示器, 默认 1)\n"
                                                        "  --step K        从第 K 步开始 (从 0 数起, 默认 0)\n"
                                                        "  --speed N       运动图案的速度, 像素/秒 (120 到 3840, 默认 960)\n"
                                                        "  --list          列出所有测试图案的名称和标题\n"
                                                        "  --help          显示本说明\n"
                                                        "  --version       显示版本\n"),
        std::string(program).c_str());
    // The keys from the table the test window follows, the patterns' own after.
    text += plat::Translate("测试中的按键:\n");
    auto add = [&text](const KeyBinding& binding) {
        text += "  " + plat::Translate(binding.keys) + ": " + plat::Translate(binding.description) + "\n";
    };
    for (const KeyBinding& binding : TestKeys())
        add(binding);
    for (const Pattern& pattern : Patterns())
        for (const KeyBinding& binding : pattern.keys)
            add(binding);
    return text + plat::Translate("出错时在标准错误输出一行说明, 退出码为 2。\n");
}

std::string PatternListText()
{
    constexpr std::size_t kNameColumn = 16;
    std::string list;
    for (const Pattern& pattern : Patterns()) {
        std::string line(pattern.name);
        line.resize(std::max(kNameColumn, line.size() + 1), ' ');
        // One line per pattern: a two-line caption is joined by a space.
        for (char c : plat::Translate(pattern.caption))
            line += c == '\n' ? ' ' : c;
        list += line + "\n";
    }
    return list;
}
