#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/builtins.h"
#include "console/color.h"
#include "console/findstr.h"
#include "console/session.h"

namespace kavu::console {
namespace {

struct MatchCase {
    const char* name;
    std::string command;
    std::optional<Builtin> which;
    std::string rest;
};

void PrintTo(const MatchCase& c, std::ostream* os) {
    *os << c.name;
}

class MatchBuiltinTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchBuiltinTest, RecognisesNames) {
    const MatchCase& c = GetParam();
    const std::optional<BuiltinCall> call = matchBuiltin(c.command);
    ASSERT_EQ(call.has_value(), c.which.has_value());
    if (call) {
        EXPECT_EQ(call->which, *c.which);
        EXPECT_EQ(call->rest, c.rest);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MatchBuiltinTest,
    ::testing::Values(
        MatchCase{"echo_dot", "echo.", Builtin::Echo, "."},
        MatchCase{"echo_upper_spaces", "ECHO   ***", Builtin::Echo, "   ***"},
        MatchCase{"echo_dot_text", "echo.出现 Success", Builtin::Echo, ".出现 Success"},
        MatchCase{"color_mixed_case", "CoLoR 3f ", Builtin::Color, " 3f "},
        MatchCase{"pause_bare", "pause", Builtin::Pause, ""},
        MatchCase{"cd_dots", "cd..", Builtin::Cd, ".."},
        MatchCase{"chdir", "chdir /tmp", Builtin::Cd, " /tmp"},
        MatchCase{"exit_code", "EXIT 3", Builtin::Exit, " 3"},
        MatchCase{"title", "title 设备 ", Builtin::Title, " 设备 "},
        MatchCase{"cls", "cls", Builtin::Cls, ""},
        MatchCase{"findstr_word", "findstr \"Current\"", Builtin::Findstr, " \"Current\""},
        MatchCase{"findstr_exe", "FINDSTR.EXE x", Builtin::Findstr, " x"},
        MatchCase{"reg", "reg add \"HKLM\\x\" /f", Builtin::Reg, " add \"HKLM\\x\" /f"},
        MatchCase{"longer_word_is_not_echo", "echoes x", std::nullopt, ""},
        MatchCase{"regedit_is_not_reg", "regedit", std::nullopt, ""},
        MatchCase{"reg_prefix_needs_whole_word", "reg.txt", std::nullopt, ""},
        MatchCase{"adb", "adb devices", std::nullopt, ""},
        MatchCase{"document", "screen.png", std::nullopt, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct EchoCase {
    const char* name;
    std::string rest;
    EchoAction expected;
};

void PrintTo(const EchoCase& c, std::ostream* os) {
    *os << c.name;
}

class EchoTest : public ::testing::TestWithParam<EchoCase> {};

TEST_P(EchoTest, DropsOneSeparator) {
    EXPECT_EQ(parseEcho(GetParam().rest), GetParam().expected);
}

using K = EchoAction::Kind;

INSTANTIATE_TEST_SUITE_P(
    Rests, EchoTest,
    ::testing::Values(
        EchoCase{"bare", "", {K::ShowState, ""}},
        EchoCase{"only_blanks", "   ", {K::ShowState, ""}},
        EchoCase{"dot_empty_line", ".", {K::Print, ""}},
        EchoCase{"dot_keeps_blanks", ".  ", {K::Print, "  "}},
        EchoCase{"three_spaces_print_two", "   ***", {K::Print, "  ***"}},
        EchoCase{"trailing_space_kept", " a ", {K::Print, "a "}},
        EchoCase{"colon", ":x", {K::Print, "x"}}, EchoCase{"semicolon", ";x", {K::Print, "x"}},
        EchoCase{"slash", "/x", {K::Print, "x"}}, EchoCase{"tab", "\tx", {K::Print, "x"}},
        EchoCase{"off", " OFF", {K::TurnOff, ""}}, EchoCase{"on", " on ", {K::TurnOn, ""}},
        EchoCase{"dot_off_prints", ".off", {K::Print, "off"}},
        EchoCase{"other_char_verbatim", "\"q\"", {K::Print, "\"q\""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TitleTest, KeepsTrailingBlanksAndStripsControls) {
    EXPECT_EQ(titleText(" 设备连接检测结果 "), "设备连接检测结果 ");
    EXPECT_EQ(titleText(" GLOBAL"), "GLOBAL");
    EXPECT_EQ(titleSequence("a\033b\ac"), "\033]0;abc\a");
    EXPECT_EQ(titleSequence("★★★ 操作成功 ★★★ "), "\033]0;★★★ 操作成功 ★★★ \a");
}

struct ExitCase {
    const char* name;
    std::string rest;
    int expected;
};

void PrintTo(const ExitCase& c, std::ostream* os) {
    *os << c.name;
}

class ExitCodeTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitCodeTest, ParsesLeadingNumber) {
    EXPECT_EQ(parseExitCode(GetParam().rest), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rests, ExitCodeTest,
    ::testing::Values(ExitCase{"none", "", 0}, ExitCase{"three", " 3", 3},
                      ExitCase{"spaces", "  42  ", 42}, ExitCase{"switch_b", " /B 7", 7},
                      ExitCase{"switch_b_alone", " /b", 0}, ExitCase{"negative", " -2", -2},
                      ExitCase{"letters", " abc", 0}, ExitCase{"digits_then_text", " 12x", 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CdTargetTest, TrimsSwitchAndQuotes) {
    EXPECT_EQ(cdTarget(""), "");
    EXPECT_EQ(cdTarget(".."), "..");
    EXPECT_EQ(cdTarget(" /d \"my dir\" "), "my dir");
    EXPECT_EQ(cdTarget(" sub"), "sub");
}

struct ColorCase {
    const char* name;
    std::string rest;
    ColorRequest expected;
};

void PrintTo(const ColorCase& c, std::ostream* os) {
    *os << c.name;
}

class ColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorTest, ParsesDigits) {
    EXPECT_EQ(parseColor(GetParam().rest), GetParam().expected);
}

using C = ColorRequest::Kind;

INSTANTIATE_TEST_SUITE_P(Rests, ColorTest,
                         ::testing::Values(ColorCase{"aqua_white", " 3f", {C::Set, 3, 15}},
                                           ColorCase{"trailing_blank", " 3f ", {C::Set, 3, 15}},
                                           ColorCase{"upper", " 1E", {C::Set, 1, 14}},
                                           ColorCase{"one_digit_foreground", " a", {C::Set, 0, 10}},
                                           ColorCase{"equal_digits", " 33", {C::Same, 3, 3}},
                                           ColorCase{"equal_one_digit", " 0", {C::Same, 0, 0}},
                                           ColorCase{"no_argument", "", {C::Reset, 0, 0}},
                                           ColorCase{"three_chars", " 3fa", {C::Invalid, 0, 0}},
                                           ColorCase{"not_hex", " 3g", {C::Invalid, 0, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PaletteTest, SixteenColours) {
    const std::vector<std::string> expected{
        "#000000", "#000080", "#008000", "#008080", "#800000", "#800080", "#808000", "#C0C0C0",
        "#808080", "#0000FF", "#00FF00", "#00FFFF", "#FF0000", "#FF00FF", "#FFFF00", "#FFFFFF"};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(paletteHex(i), expected[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(colorSequence(3, 15), "\033]11;#008080\a\033]10;#FFFFFF\a");
    EXPECT_EQ(colorSequence(0, 10), "\033]11;#000000\a\033]10;#00FF00\a");
}

struct FindstrCase {
    const char* name;
    std::string rest;
    std::string line;
    bool matches;
};

void PrintTo(const FindstrCase& c, std::ostream* os) {
    *os << c.name;
}

class FindstrTest : public ::testing::TestWithParam<FindstrCase> {};

TEST_P(FindstrTest, MatchesAnyWord) {
    const FindstrCase& c = GetParam();
    EXPECT_EQ(findstrMatches(parseFindstr(c.rest), c.line), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, FindstrTest,
    ::testing::Values(FindstrCase{"quoted_word", " \"Current\"", "  mCurrentFocus=x", true},
                      FindstrCase{"case_sensitive", " Current", "  mcurrentfocus=x", false},
                      FindstrCase{"ignore_case", " /I Current", "  mcurrentfocus=x", true},
                      FindstrCase{"any_word", " foo bar", "a bar b", true},
                      FindstrCase{"quoted_words_split", " \"foo bar\"", "bar only", true},
                      FindstrCase{"literal_string", " /C:\"foo bar\"", "bar only", false},
                      FindstrCase{"literal_string_hit", " /C:\"foo bar\"", "x foo bar", true},
                      FindstrCase{"no_hit", " zzz", "abc", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindstrTest, EmptyQueryIsBadCommandLine) {
    EXPECT_TRUE(parseFindstr("").words.empty());
    EXPECT_TRUE(parseFindstr(" /I").words.empty());
}

TEST(LineFilterTest, KeepsMatchingLinesAcrossChunks) {
    LineFilter filter(parseFindstr(" Current"));
    std::string out = filter.feed("first\nmCurr");
    out += filter.feed("entFocus\r\nother\nlast Current");
    EXPECT_EQ(out, "mCurrentFocus\r\n");
    EXPECT_EQ(filter.finish(), "last Current\n");
    EXPECT_TRUE(filter.matchedAny());

    LineFilter none(parseFindstr(" x"));
    EXPECT_EQ(none.feed("a\nb\n"), "");
    EXPECT_EQ(none.finish(), "");
    EXPECT_FALSE(none.matchedAny());
}

struct InvocationCase {
    const char* name;
    std::vector<std::string> args;
    Invocation expected;
};

void PrintTo(const InvocationCase& c, std::ostream* os) {
    *os << c.name;
}

class InvocationTest : public ::testing::TestWithParam<InvocationCase> {};

TEST_P(InvocationTest, ReadsSwitchAndText) {
    EXPECT_EQ(parseInvocation(GetParam().args), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Args, InvocationTest,
    ::testing::Values(InvocationCase{"run", {"/c", "adb devices"}, {false, "adb devices"}},
                      InvocationCase{"keep_upper", {"/K", " echo a "}, {true, " echo a "}},
                      InvocationCase{"other_switches_first", {"/q", "/d", "/c", "x"}, {false, "x"}},
                      InvocationCase{
                          "several_words_joined", {"/c", "echo", "a", "b"}, {false, "echo a b"}},
                      InvocationCase{"nothing_is_interactive", {}, {true, ""}},
                      InvocationCase{"switch_without_text", {"/c"}, {false, ""}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kavu::console
