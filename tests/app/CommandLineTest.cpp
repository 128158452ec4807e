// The command line: what each form asks for, and each kind of bad input
// refused with a line that says what is wrong and what is valid.

#include "app/CommandLine.h"

#include "screentest/TestModes.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CommandLine, EachFormAndEachRefusal)
{
    using Action = CommandLine::Action;
    struct Case {
        std::vector<std::string> args;
        Action action;
        int mode;             // Test
        int monitor;          // Test
        int step;             // Test
        const char* errorHas; // Error
    };
    const Case cases[] = {
        { {}, Action::MainWindow, 0, 1, 0, "" },
        { { "--test", "grid" }, Action::Test, kModeGrid, 1, 0, "" },
        { { "--test=gamma", "--monitor=2", "--step=3" }, Action::Test, kModeGamma, 2, 3, "" },
        { { "--step", "7", "--test", "block-fill", "--monitor", "1" }, Action::Test, kModeBlockFill, 1, 7, "" },
        // The monitor's number is checked against the monitors when the test opens.
        { { "--test", "grid", "--monitor", "0" }, Action::Test, kModeGrid, 0, 0, "" },
        { { "--list" }, Action::List, 0, 1, 0, "" },
        { { "--help" }, Action::Help, 0, 1, 0, "" },
        { { "--version" }, Action::Version, 0, 1, 0, "" },
        { { "--test", "nope" }, Action::Error, 0, 1, 0, "dead-pixel, block-fill" },
        // Input is a value of the message, never part of its format.
        { { "--test", "%s%n%d" }, Action::Error, 0, 1, 0, "\"%s%n%d\"" },
        { { "--test", "" }, Action::Error, 0, 1, 0, "grid" },
        { { "--test" }, Action::Error, 0, 1, 0, "--test 缺少值" },
        { { "--test", "--list" }, Action::Error, 0, 1, 0, "--test 缺少值" },
        { { "--test", "gamma", "--step", "-1" }, Action::Error, 0, 1, 0, "0 到 3" },
        { { "--test", "gamma", "--step", "4" }, Action::Error, 0, 1, 0, "0 到 3" },
        { { "--test", "grid", "--step", "1000" }, Action::Error, 0, 1, 0, "0 到 0" },
        { { "--test", "grid", "--step", "1x" }, Action::Error, 0, 1, 0, "\"1x\"" },
        { { "--test", "grid", "--monitor", "99999999999" }, Action::Error, 0, 1, 0, "不是整数" },
        { { "--test", "grid", "--test", "grid" }, Action::Error, 0, 1, 0, "--test 重复" },
        { { "--monitor", "1" }, Action::Error, 0, 1, 0, "--test" },
        { { "--list", "--version" }, Action::Error, 0, 1, 0, "不能同时" },
        { { "--help=x" }, Action::Error, 0, 1, 0, "不带值" },
        { { "--test", "grid", "extra" }, Action::Error, 0, 1, 0, "\"extra\"" },
        { { "-x" }, Action::Error, 0, 1, 0, "--list, --help, --version" },
        // Control characters shown, not sent to the terminal; long arguments cut.
        { { "--test", "a\nb" }, Action::Error, 0, 1, 0, "\"a\\nb\"" },
        { { "--test", "\x1b]0;title\a\x1b[2J" }, Action::Error, 0, 1, 0, "\"\\x1b]0;title\\x07\\x1b[2J\"" },
        { { "--test", "grid", "--monitor", "1\r\xc2\x9b" }, Action::Error, 0, 1, 0, "\"1\\r\\xc2\\x9b\"" },
        { { "--t\tx" }, Action::Error, 0, 1, 0, "\"--t\\tx\"" },
        { { "--test", "grid", std::string(100'000, 'x') + "\n" }, Action::Error, 0, 1, 0, "xxx...\"" },
        { { "--test", "grid", "--step", std::string(99, 'x') + "中" }, Action::Error, 0, 1, 0, "xx...\"" },
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& arg : c.args)
            joined += "[" + arg + "] ";
        SCOPED_TRACE(joined);
        CommandLine command = ParseCommandLine(c.args);
        EXPECT_EQ(command.action, c.action) << command.error;
        if (c.action == Action::Test) {
            ASSERT_NE(command.pattern, nullptr);
            EXPECT_EQ(command.pattern->mode, c.mode);
            EXPECT_EQ(command.monitor, c.monitor);
            EXPECT_EQ(command.step, c.step);
        }
        if (c.action == Action::Error) {
            EXPECT_NE(command.error.find(c.errorHas), std::string::npos) << command.error;
            EXPECT_LT(command.error.size(), 2000u);
            for (char c : command.error)
                EXPECT_FALSE((c >= 0 && c < 0x20) || c == 0x7F) << command.error;
        }
    }
}
