#include "platform/interpreter_line.h"

#include <gtest/gtest.h>

namespace kavu::platform {
namespace {

struct LineCase {
    const char* line;
    const char* switchText;
    const char* text;
};

class InterpreterLine : public testing::TestWithParam<LineCase> {};

TEST_P(InterpreterLine, SplitsSwitchAndText) {
    const InterpreterCall call = parseInterpreterLine(GetParam().line);
    EXPECT_EQ(call.switchText, GetParam().switchText);
    EXPECT_EQ(call.text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, InterpreterLine,
    testing::Values(LineCase{"cmd /c adb devices", "/c", "adb devices"},
                    LineCase{"cmd /k adb devices", "/k", "adb devices"},
                    LineCase{"cmd /k  fastboot devices", "/k", " fastboot devices"},
                    LineCase{"cmd /k \"COLOR 3f", "/k", "\"COLOR 3f"},
                    LineCase{"CMD /K echo x", "/k", "echo x"}, LineCase{"cmd /c ", "/c", ""},
                    LineCase{"cmd /c", "/c", ""}, LineCase{"screen.png", "/c", "screen.png"},
                    LineCase{"cmdx /k a", "/c", "cmdx /k a"}));

TEST(ConsoleArguments, HiddenRunsTheInterpreterBare) {
    const auto arguments =
        consoleArguments("/p/kavu-cmd", {"/c", "adb devices"}, launch::WindowMode::Hidden,
                         Terminal{"/usr/bin/xterm", TerminalKind::Xterm});
    EXPECT_EQ(arguments, (std::vector<std::string>{"/p/kavu-cmd", "/c", "adb devices"}));
}

TEST(ConsoleArguments, VisibleRunsInsideTheTerminal) {
    const Terminal xterm{"/usr/bin/xterm", TerminalKind::Xterm};
    const auto normal =
        consoleArguments("/p/kavu-cmd", {"/k", "a && b"}, launch::WindowMode::Normal, xterm);
    ASSERT_GE(normal.size(), 5U);
    EXPECT_EQ(normal.front(), "/usr/bin/xterm");
    EXPECT_EQ(std::vector<std::string>(normal.end() - 4, normal.end()),
              (std::vector<std::string>{"-e", "/p/kavu-cmd", "/k", "a && b"}));
    EXPECT_EQ(std::count(normal.begin(), normal.end(), "-iconic"), 0);

    const auto minimized =
        consoleArguments("/p/kavu-cmd", {"/k", "x"}, launch::WindowMode::Minimized, xterm);
    EXPECT_EQ(std::count(minimized.begin(), minimized.end(), "-iconic"), 1);

    const auto generic =
        consoleArguments("/p/kavu-cmd", {"/k", "x"}, launch::WindowMode::Normal,
                         Terminal{"/usr/bin/x-terminal-emulator", TerminalKind::Generic});
    EXPECT_EQ(generic, (std::vector<std::string>{"/usr/bin/x-terminal-emulator", "-e",
                                                 "/p/kavu-cmd", "/k", "x"}));
}

} // namespace
} // namespace kavu::platform
