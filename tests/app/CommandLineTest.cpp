// The command line: what each form asks for, and each kind of bad input
// refused with a line that says what is wrong and what is valid.

#include "app/CommandLine.h"

#include "screentest/Patterns.h"
#include "screentest/TestKeyTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
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
        { { "--inspect" }, Action::Inspect, "", 1, 0, "" },
        { { "--monitor=2", "--inspect" }, Action::Inspect, "", 2, 0, "" },
        { { "--inspect", "--test", "grid" }, Action::Error, "", 1, 0, "不能同时" },
        { { "--inspect", "--step", "1" }, Action::Error, "", 1, 0, "--step 只能与 --test" },
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
        { { "--test", "motion", "--speed", "120" }, Action::Test, "motion", 1, 0, "" },
        { { "--test", "motion", "--speed", "0" }, Action::Error, "", 1, 0, "120 到 3840" },
        { { "--test", "motion", "--speed=1000000000" }, Action::Error, "", 1, 0, "120 到 3840" },
        { { "--test", "motion", "--speed", "3841" }, Action::Error, "", 1, 0, "120 到 3840" },
        { { "--test", "motion", "--speed", "fast" }, Action::Error, "", 1, 0, "\"fast\"" },
        { { "--speed", "960" }, Action::Error, "", 1, 0, "--speed 只能与 --test" },
        { { "--test", "grid", "--test", "grid" }, Action::Error, "", 1, 0, "--test 重复" },
        { { "--monitor", "1" }, Action::Error, "", 1, 0, "--test" },
        { { "--list", "--version" }, Action::Error, "", 1, 0, "不能同时" },
        { { "--help=x" }, Action::Error, "", 1, 0, "不带值" },
        { { "--test", "grid", "extra" }, Action::Error, "", 1, 0, "\"extra\"" },
        { { "-x" }, Action::Error, "", 1, 0, "--list, --help, --version" },
        // Control characters shown, not sent to the terminal; long arguments cut.
        { { "--test", "a\nb" }, Action::Error, "", 1, 0, "\"a\\nb\"" },
        { { "--test", "\x1b]0;title\a\x1b[2J" }, Action::Error, "", 1, 0, "\"\\x1b]0;title\\x07\\x1b[2J\"" },
        { { "--test", "grid", "--monitor", "1\r\xc2\x9b" }, Action::Error, "", 1, 0, "\"1\\r\\xc2\\x9b\"" },
        { { "--t\tx" }, Action::Error, "", 1, 0, "\"--t\\tx\"" },
        { { "--test", "grid", std::string(100'000, 'x') + "\n" }, Action::Error, "", 1, 0, "xxx...\"" },
        { { "--test", "grid", "--step", std::string(99, 'x') + "中" }, Action::Error, "", 1, 0, "xx...\"" },
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
        if (c.action == Action::Inspect) {
            EXPECT_EQ(command.monitor, c.monitor);
        }
        if (c.action == Action::Error) {
            EXPECT_NE(command.error.find(c.errorHas), std::string::npos) << command.error;
            EXPECT_LT(command.error.size(), 2000u);
            for (char c : command.error)
                EXPECT_FALSE((c >= 0 && c < 0x20) || c == 0x7F) << command.error;
        }
    }
}

namespace {

std::string ReadSource(const std::string& path)
{
    std::ifstream file(std::string(LV_SOURCE_DIR) + "/" + path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The English of a one-line entry of po/en.po; empty when it has none.
std::string English(const std::string& catalogue, std::string_view chinese)
{
    const std::string id = "msgid \"" + std::string(chinese) + "\"\nmsgstr \"";
    const std::size_t at = catalogue.find(id);
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + id.size();
    return catalogue.substr(from, catalogue.find('"', from) - from);
}

}

// Every key of the key table, the window's and each pattern's, is in the
// usage text as the key map shows it, and in the manual page's KEYS
// section by its English line.
TEST(CommandLine, UsageAndManualPageListEveryKeyOfTheTable)
{
    std::vector<KeyBinding> bindings(TestKeys().begin(), TestKeys().end());
    for (const Pattern& pattern : Patterns())
        bindings.insert(bindings.end(), pattern.keys.begin(), pattern.keys.end());

    const std::string usage = UsageText("lv.exe");
    const std::string catalogue = ReadSource("po/en.po");
    const std::string page = ReadSource("docs/lumivex.1");
    const std::size_t from = page.find(".SH KEYS");
    ASSERT_NE(from, std::string::npos);
    const std::string keys = page.substr(from, page.find(".SH", from + 1) - from);

    for (const KeyBinding& binding : bindings) {
        SCOPED_TRACE(std::string(binding.keys));
        EXPECT_NE(usage.find("  " + std::string(binding.keys) + ": " + std::string(binding.description) + "\n"),
            std::string::npos);
        const std::string english = English(catalogue, binding.description);
        ASSERT_FALSE(english.empty()) << "no English line";
        EXPECT_NE(keys.find(english + "\n"), std::string::npos) << english;
    }
}

// README and the manual page give the number of patterns and name each
// row, so neither drifts from the table.
TEST(CommandLine, DocumentsCountAndNameEveryPattern)
{
    const std::string count = std::to_string(Patterns().size()) + " patterns in all";
    struct Document {
        const char* path;
        std::string (*quoted)(std::string_view name);
    };
    const Document documents[] = {
        { "README.md", [](std::string_view name) { return "`" + std::string(name) + "`"; } },
        { "docs/lumivex.1",
            [](std::string_view name) {
                std::string escaped;
                for (char c : name)
                    escaped += c == '-' ? std::string("\\-") : std::string(1, c);
                return escaped;
            } },
    };
    for (const Document& document : documents) {
        SCOPED_TRACE(document.path);
        const std::string text = ReadSource(document.path);
        EXPECT_NE(text.find(count), std::string::npos) << count;
        for (const Pattern& pattern : Patterns())
            EXPECT_NE(text.find(document.quoted(pattern.name)), std::string::npos) << pattern.name;
    }
}
