// The command line: what each form asks for, and each kind of bad input
// refused with a line that says what is wrong and what is valid.

#include "app/CommandLine.h"

#include "screentest/Patterns.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CommandLine, EachFormAndEachRefusal)
{
    using Action = CommandLine::Action;
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::string_view pattern; // Test: its name
        int monitor;              // Test
        int step;                 // Test
        const char* errorHas;     // Error
    };
    const Case cases[] = {
        { {}, Action::MainWindow, "", 1, 0, "" },
        { { "--test", "grid" }, Action::Test, "grid", 1, 0, "" },
        { { "--test=gamma", "--monitor=2", "--step=3" }, Action::Test, "gamma", 2, 3, "" },
        { { "--step", "7", "--test", "block-fill", "--monitor", "1" }, Action::Test, "block-fill", 1, 7, "" },
        // The monitor's number is checked against the monitors when the test opens.
        { { "--test", "grid", "--monitor", "0" }, Action::Test, "grid", 0, 0, "" },
        { { "--list" }, Action::List, "", 1, 0, "" },
        { { "--help" }, Action::Help, "", 1, 0, "" },
        { { "--version" }, Action::Version, "", 1, 0, "" },
        { { "--test", "nope" }, Action::Error, "", 1, 0, "dead-pixel, block-fill" },
        // Input is a value of the message, never part of its format.
        { { "--test", "%s%n%d" }, Action::Error, "", 1, 0, "\"%s%n%d\"" },
        { { "--test", "" }, Action::Error, "", 1, 0, "grid" },
        { { "--test" }, Action::Error, "", 1, 0, "--test 缺少值" },
        { { "--test", "--list" }, Action::Error, "", 1, 0, "--test 缺少值" },
        { { "--test", "gamma", "--step", "-1" }, Action::Error, "", 1, 0, "0 到 3" },
        { { "--test", "gamma", "--step", "4" }, Action::Error, "", 1, 0, "0 到 3" },
        { { "--test", "grid", "--step", "1000" }, Action::Error, "", 1, 0, "0 到 0" },
        { { "--test", "grid", "--step", "1x" }, Action::Error, "", 1, 0, "\"1x\"" },
        { { "--test", "grid", "--monitor", "99999999999" }, Action::Error, "", 1, 0, "不是整数" },
        { { "--test", "grid", "--test", "grid" }, Action::Error, "", 1, 0, "--test 重复" },
        { { "--monitor", "1" }, Action::Error, "", 1, 0, "--test" },
        { { "--list", "--version" }, Action::Error, "", 1, 0, "不能同时" },
        { { "--help=x" }, Action::Error, "", 1, 0, "不带值" },
        { { "--test", "grid", "extra" }, Action::Error, "", 1, 0, "\"extra\"" },
        { { "-x" }, Action::Error, "", 1, 0, "--list, --help, --version" },
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
            EXPECT_EQ(command.pattern->name, c.pattern);
            EXPECT_EQ(command.monitor, c.monitor);
            EXPECT_EQ(command.step, c.step);
        }
        if (c.action == Action::Error) {
            EXPECT_NE(command.error.find(c.errorHas), std::string::npos) << command.error;
            EXPECT_EQ(command.error.find('\n'), std::string::npos);
        }
    }
}
