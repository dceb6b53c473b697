#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/arguments.h"
#include "console/line_parser.h"
#include "console/quote_rule.h"
#include "console/variables.h"

namespace kavu::console {
namespace {

Command cmd(std::string text, std::vector<Redirection> redirections = {}) {
    return Command{std::move(text), std::move(redirections)};
}

Pipeline pipe(Joiner joiner, std::vector<Command> commands) {
    return Pipeline{joiner, std::move(commands)};
}

struct ParseCase {
    const char* name;
    std::string line;
    std::vector<Pipeline> expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class LineParserTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LineParserTest, SplitsIntoPipelines) {
    const ParseCase& c = GetParam();
    const ParsedLine parsed = parseLine(c.line);
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.pipelines, c.expected);
}

const Redirection kToNul{1, RedirectionKind::Write, "nul"};

INSTANTIATE_TEST_SUITE_P(
    Lines, LineParserTest,
    ::testing::Values(
        ParseCase{
            "and_keeps_trailing_space",
            "echo a && echo b",
            {pipe(Joiner::Always, {cmd("echo a ")}), pipe(Joiner::IfSuccess, {cmd("echo b")})}},
        ParseCase{"or_and_ampersand",
                  "a || b & c",
                  {pipe(Joiner::Always, {cmd("a ")}), pipe(Joiner::IfFailure, {cmd("b ")}),
                   pipe(Joiner::Always, {cmd("c")})}},
        ParseCase{"pipe_binds_inside_pipeline",
                  "adb shell dumpsys | findstr \"Current\" && x",
                  {pipe(Joiner::Always, {cmd("adb shell dumpsys "), cmd("findstr \"Current\" ")}),
                   pipe(Joiner::IfSuccess, {cmd("x")})}},
        ParseCase{"no_space_before_operator",
                  "fastboot flash a b&& COLOR 3f",
                  {pipe(Joiner::Always, {cmd("fastboot flash a b")}),
                   pipe(Joiner::IfSuccess, {cmd("COLOR 3f")})}},
        ParseCase{"operators_inside_quotes_stay",
                  "echo \"a && b | c > d\"",
                  {pipe(Joiner::Always, {cmd("echo \"a && b | c > d\"")})}},
        ParseCase{"unclosed_quote_runs_to_end",
                  "echo \"a & b",
                  {pipe(Joiner::Always, {cmd("echo \"a & b")})}},
        ParseCase{"caret_escapes_operator",
                  "echo a ^&^& b ^| c ^> d ^^",
                  {pipe(Joiner::Always, {cmd("echo a && b | c > d ^")})}},
        ParseCase{"caret_literal_inside_quotes",
                  "echo \"a^&b\"",
                  {pipe(Joiner::Always, {cmd("echo \"a^&b\"")})}},
        ParseCase{"trailing_caret_disappears", "echo a^", {pipe(Joiner::Always, {cmd("echo a")})}},
        ParseCase{"redirection_without_space",
                  "pause>nul",
                  {pipe(Joiner::Always, {cmd("pause", {kToNul})})}},
        ParseCase{"redirection_in_the_middle",
                  "echo a >nul b",
                  {pipe(Joiner::Always, {cmd("echo a  b", {kToNul})})}},
        ParseCase{"append_read_and_stderr",
                  "sort < in.txt >> out.txt 2> \"err file\"",
                  {pipe(Joiner::Always,
                        {cmd("sort   ", {Redirection{0, RedirectionKind::Read, "in.txt"},
                                         Redirection{1, RedirectionKind::Append, "out.txt"},
                                         Redirection{2, RedirectionKind::Write, "err file"}})})}},
        ParseCase{"digit_inside_word_is_text",
                  "echo a2>f",
                  {pipe(Joiner::Always,
                        {cmd("echo a2", {Redirection{1, RedirectionKind::Write, "f"}})})}},
        ParseCase{"duplicate_handle",
                  "adb 2>&1",
                  {pipe(Joiner::Always,
                        {cmd("adb ", {Redirection{2, RedirectionKind::Duplicate, "1"}})})}},
        ParseCase{
            "leading_blanks_and_at_sign_dropped",
            "   @echo a &&   echo b",
            {pipe(Joiner::Always, {cmd("echo a ")}), pipe(Joiner::IfSuccess, {cmd("echo b")})}},
        ParseCase{"line_breaks_separate_and_cr_vanishes",
                  "\r\nreg add x && echo ok\r\necho more",
                  {pipe(Joiner::Always, {cmd("reg add x ")}),
                   pipe(Joiner::IfSuccess, {cmd("echo ok")}),
                   pipe(Joiner::Always, {cmd("echo more")})}},
        ParseCase{"lone_trailing_ampersand", "echo a &", {pipe(Joiner::Always, {cmd("echo a ")})}},
        ParseCase{"empty_line", "   ", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    std::string line;
    std::string error;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.name;
}

class LineParserErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(LineParserErrorTest, RejectsWholeLine) {
    const ParsedLine parsed = parseLine(GetParam().line);
    EXPECT_EQ(parsed.error, GetParam().error);
    EXPECT_TRUE(parsed.pipelines.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineParserErrorTest,
    ::testing::Values(ErrorCase{"double_and", "echo a && && echo b", "此时不应有 &&。"},
                      ErrorCase{"leading_and", "&& echo b", "此时不应有 &&。"},
                      ErrorCase{"leading_or", "|| echo b", "此时不应有 ||。"},
                      ErrorCase{"empty_pipe_stage", "echo a | | findstr a", "此时不应有 |。"},
                      ErrorCase{"and_then_ampersand", "echo a && & echo b", "此时不应有 &。"},
                      ErrorCase{"trailing_and", "echo a &&", "命令语法不正确。"},
                      ErrorCase{"trailing_pipe", "echo a |", "命令语法不正确。"},
                      ErrorCase{"redirection_without_name", "echo a >", "命令语法不正确。"},
                      ErrorCase{"redirection_before_operator", "echo a > && b",
                                "命令语法不正确。"}),
    [](const auto& info) { return std::string(info.param.name); });

struct QuoteCase {
    const char* name;
    std::string text;
    bool isProgram;
    std::string expected;
};

void PrintTo(const QuoteCase& c, std::ostream* os) {
    *os << c.name;
}

class QuoteRuleTest : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteRuleTest, KeepsOrDropsLeadingQuote) {
    const QuoteCase& c = GetParam();
    const ProgramCheck check = [&](const std::string&) { return c.isProgram; };
    EXPECT_EQ(applyLeadingQuoteRule(c.text, check), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QuoteRuleTest,
    ::testing::Values(
        QuoteCase{"lone_quote_disappears", "\"COLOR 3f", false, "COLOR 3f"},
        QuoteCase{"kept_for_program_with_space", "\"my tool\" x", true, "\"my tool\" x"},
        QuoteCase{"dropped_when_not_a_program", "\"my tool\" x", false, "my tool x"},
        QuoteCase{"dropped_without_whitespace", "\"adb\" devices", true, "adb devices"},
        QuoteCase{"dropped_with_special_char", "\"a & b\" x", true, "a & b x"},
        QuoteCase{"four_quotes_lose_first_and_last", "\"my tool\" \"a b\"", true,
                  "my tool\" \"a b"},
        QuoteCase{"no_leading_quote_unchanged", "adb push \"a b\"", false, "adb push \"a b\""},
        QuoteCase{"empty_text", "", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct ArgumentCase {
    const char* name;
    std::string rest;
    std::vector<std::string> expected;
};

void PrintTo(const ArgumentCase& c, std::ostream* os) {
    *os << c.name;
}

class ArgumentSplitTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentSplitTest, SplitsLikeTheWindowsRuntime) {
    EXPECT_EQ(splitArguments(GetParam().rest), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rests, ArgumentSplitTest,
    ::testing::Values(
        ArgumentCase{"runs_of_spaces", "  shell   pm  list ", {"shell", "pm", "list"}},
        ArgumentCase{"quotes_group_and_vanish",
                     "push \"/home/u/File/a b.apk\"   /sdcard/x",
                     {"push", "/home/u/File/a b.apk", "/sdcard/x"}},
        ArgumentCase{"quote_inside_word", "a\"b c\"d", {"ab cd"}},
        ArgumentCase{"empty_quotes_make_empty_argument", "a \"\" b", {"a", "", "b"}},
        ArgumentCase{"doubled_quote_inside_quotes", "\"a\"\"b\"", {"a\"b"}},
        ArgumentCase{"escaped_quote", "a\\\"b", {"a\"b"}},
        ArgumentCase{"even_backslashes_before_quote", "\"a\\\\\" b", {"a\\", "b"}},
        ArgumentCase{"plain_backslashes_stay", "C:\\dir\\f.txt", {"C:\\dir\\f.txt"}},
        ArgumentCase{"tabs_separate", "a\tb", {"a", "b"}},
        ArgumentCase{"utf8_kept", "标题 测试", {"标题", "测试"}},
        ArgumentCase{"nothing", "   ", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* name;
    std::string command;
    std::string program;
    std::string rest;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class ProgramNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProgramNameTest, TakesFirstWord) {
    const ProgramWords words = splitProgramName(GetParam().command);
    EXPECT_EQ(words.name, GetParam().program);
    EXPECT_EQ(words.rest, GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(Commands, ProgramNameTest,
                         ::testing::Values(NameCase{"plain", "adb devices ", "adb", " devices "},
                                           NameCase{"quoted_with_space", "\"my tool\" -x",
                                                    "my tool", " -x"},
                                           NameCase{"document", "screen.png", "screen.png", ""},
                                           NameCase{"quote_in_middle", "a\"b c\" d", "ab c", " d"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExpandCase {
    const char* name;
    std::string line;
    std::string expected;
};

void PrintTo(const ExpandCase& c, std::ostream* os) {
    *os << c.name;
}

class VariableTest : public ::testing::TestWithParam<ExpandCase> {};

TEST_P(VariableTest, ExpandsKnownNames) {
    const VariableLookup lookup = [](std::string_view name) -> std::optional<std::string> {
        if (name == "ERRORLEVEL") {
            return "9009";
        }
        if (name == "HOME") {
            return "/home/u";
        }
        return std::nullopt;
    };
    EXPECT_EQ(expandVariables(GetParam().line, lookup), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, VariableTest,
    ::testing::Values(ExpandCase{"known", "echo %ERRORLEVEL%", "echo 9009"},
                      ExpandCase{"two", "%HOME%/%ERRORLEVEL%", "/home/u/9009"},
                      ExpandCase{"unknown_stays", "echo %NOPE% x", "echo %NOPE% x"},
                      ExpandCase{"unknown_then_known", "%NOPE%HOME%", "%NOPE/home/u"},
                      ExpandCase{"lone_percent", "100% done", "100% done"},
                      ExpandCase{"double_percent", "a %% b", "a %% b"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kavu::console
