#include "app/CommandLineRun.h"

#include "app/FormatText.h"
#include "links/AboutDlg.h"
#include "platform/intl/Translate.h"
#include "platform/ui/Monitors.h"
#include "screentest/MotionText.h"
#include "screentest/TestWnd.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int kUsageError = 2;

int Fail(std::string_view program, const std::string& line, int code)
{
    // Nothing more can be said when standard error itself fails.
    (void)std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(program.size()), program.data(), line.c_str());
    return code;
}

// Writes `text` to standard output; 1 when it did not all arrive (a full
// disk, a closed pipe), so a script never takes a cut list for a whole one.
int Print(std::string_view program, const std::string& text)
{
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0)
        return Fail(program, plat::Translate("无法写入标准输出"), 1);
    return 0;
}

// "1 (名称, 1920 x 1080), 2 (...)": the monitors there are, for an error line.
std::string MonitorList(int count)
{
    std::string list;
    for (int i = 0; i < count; ++i) {
        plat::MonitorInfo info;
        if (!plat::GetMonitorInfo(i, &info))
            continue;
        list += (list.empty() ? "" : ", ") + std::to_string(i + 1) + " (" + (info.name.empty() ? "" : info.name + ", ")
            + std::to_string(info.rcMonitor.Width()) + " x " + std::to_string(info.rcMonitor.Height()) + ")";
    }
    return list;
}

// The pattern alone, as its button would start it with the option ticked;
// the test's end is the program's.
int RunTest(const CommandLine& command, std::string_view program)
{
    const int count = plat::GetMonitorCount();
    if (count <= 0)
        return Fail(program, plat::Translate("无法打开显示 (没有图形界面?)"), 1);
    if (command.monitor < 1 || command.monitor > count)
        return Fail(program,
            FormatText(plat::TranslateFormat("没有第 %d 个显示器 (现有的显示器: %s)"), command.monitor,
                MonitorList(count).c_str()),
            kUsageError);
    CTestWnd test({ command.pattern, plat::Translate(command.pattern->caption), 1, command.monitor - 1, command.step });
    if (test.DoModal() < 0)
        return Fail(program, plat::Translate("无法打开测试窗口"), 1);
    // A moving pattern's figures, one line for people and programs alike.
    if (std::optional<MotionReading> motion = test.Motion())
        return Print(program, MotionLine(*motion) + "\n");
    return 0;
}

}

int RunCommandLine(const CommandLine& command, std::string_view program)
{
    switch (command.action) {
    case CommandLine::Action::Test:
        return RunTest(command, program);
    case CommandLine::Action::List:
        return Print(program, PatternListText());
    case CommandLine::Action::Help:
        return Print(program, UsageText(program));
    case CommandLine::Action::Version:
        return Print(program, AboutVersionText() + "\n");
    case CommandLine::Action::Error:
        return Fail(program, command.error, kUsageError);
    case CommandLine::Action::MainWindow:
        break;
    }
    return 0;
}
