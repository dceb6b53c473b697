#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "run_helper.h"

namespace kavu::console::testing {
namespace {

constexpr int kNotFoundExit = 9009 & 0xff; // the process status keeps the low byte
const std::string kNotFoundTail = "' 不是内部或外部命令，也不是可运行的程序或批处理文件。\n";

struct LineCase {
    const char* name;
    std::string mode;
    std::string text;
    std::string input;
    std::string out;
    std::string errContains; // empty: nothing on stderr
    int status;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class KavuCmdLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(KavuCmdLineTest, PrintsAndEnds) {
    const LineCase& c = GetParam();
    Sandbox sandbox;
    const RunResult r = sandbox.run(c.mode, c.text, c.input);
    EXPECT_EQ(r.out, c.out);
    if (c.errContains.empty()) {
        EXPECT_EQ(r.err, "");
    } else {
        EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
    }
    EXPECT_EQ(r.status, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Operators, KavuCmdLineTest,
    ::testing::Values(
        LineCase{"and_keeps_trailing_space", "/c", "echo a && echo b", "", "a \nb\n", "", 0},
        LineCase{"and_stops_after_failure", "/c", "adb exit 4 && echo no", "", "", "", 4},
        LineCase{"and_chain_skips_to_end", "/c", "adb exit 4 && echo a && echo b", "", "", "", 4},
        LineCase{"or_runs_after_failure", "/c", "adb exit 2 || echo recovered", "", "recovered\n",
                 "", 0},
        LineCase{"or_skips_after_success", "/c", "echo ok || echo no", "", "ok \n", "", 0},
        LineCase{"ampersand_runs_both", "/c", "adb exit 1 & echo next", "", "next\n", "", 0},
        LineCase{"or_then_and", "/c", "adb exit 1 || echo r && echo s", "", "r \ns\n", "", 0},
        LineCase{"tools_get_arguments", "/c", "adb shell pm list  packages & fastboot devices", "",
                 "adb\n[shell]\n[pm]\n[list]\n[packages]\nfastboot\n[devices]\n", "", 0},
        LineCase{"pipe_into_findstr", "/c", "adb Current other Currently | findstr \"Current\"", "",
                 "[Current]\n[Currently]\n", "", 0},
        LineCase{"pipe_findstr_no_match_fails", "/c", "adb a b | findstr zzz || echo none", "",
                 "none\n", "", 0},
        LineCase{"pipe_into_program", "/c", "echo piped | cat", "", "piped \n", "", 0},
        LineCase{"pipe_through_three", "/c", "adb x y | cat | findstr y", "", "[y]\n", "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Quoting, KavuCmdLineTest,
    ::testing::Values(
        LineCase{"quotes_group_arguments", "/c", "adb push \"my file.apk\"   /sdcard/x", "",
                 "adb\n[push]\n[my file.apk]\n[/sdcard/x]\n", "", 0},
        LineCase{"empty_quotes_empty_argument", "/c", "adb a \"\" b", "", "adb\n[a]\n[]\n[b]\n", "",
                 0},
        LineCase{"operators_in_quotes_are_text", "/c", "echo \"a && b | c > d\"", "",
                 "\"a && b | c > d\"\n", "", 0},
        LineCase{"caret_ampersand", "/c", "echo a ^& echo b", "", "a & echo b\n", "", 0},
        LineCase{"caret_pipe_and_redirect", "/c", "echo x ^| y ^> z", "", "x | y > z\n", "", 0},
        LineCase{"caret_passes_argument", "/c", "adb a^&b", "", "adb\n[a&b]\n", "", 0},
        LineCase{"lone_leading_quote_dropped", "/c", "\"echo hi", "", "hi\n", "", 0},
        LineCase{"leading_and_last_quote_dropped", "/c", "\"echo \"x\" y\"", "", "\"x\" y\n", "",
                 0},
        LineCase{"leading_blanks_skipped", "/c", "   echo a", "", "a\n", "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Builtins, KavuCmdLineTest,
    ::testing::Values(
        LineCase{"echo_dot_empty_line", "/c", "echo.", "", "\n", "", 0},
        LineCase{"echo_keeps_inner_spaces", "/c", "echo   ***", "", "  ***\n", "", 0},
        LineCase{"bare_echo_state", "/c", "echo", "", "ECHO 处于打开状态。\n", "", 0},
        LineCase{"echo_dot_text", "/c", "ECHO.出现 Success表示安装完成！", "",
                 "出现 Success表示安装完成！\n", "", 0},
        LineCase{"echo_off_state", "/c", "echo off & echo", "", "ECHO 处于关闭状态。\n", "", 0},
        LineCase{"exit_code", "/c", "exit 3", "", "", "", 3},
        LineCase{"exit_stops_line", "/c", "exit 3 && echo no & echo no", "", "", "", 3},
        LineCase{"exit_default_zero", "/c", "adb exit 2 & exit", "", "", "", 0},
        LineCase{"last_status_is_exit_status", "/c", "adb exit 5", "", "", "", 5},
        LineCase{"unknown_command", "/c", "nosuch arg", "", "", "'nosuch" + kNotFoundTail,
                 kNotFoundExit},
        LineCase{"unknown_then_or", "/c", "nosuch || echo handled", "", "handled\n",
                 "'nosuch" + kNotFoundTail, 0},
        LineCase{"reg_fails_chain", "/c", "reg add x && echo ok", "", "", "注册表", 1},
        LineCase{"reg_help_repair_line", "/c",
                 "\r\nreg add \"HKEY_LOCAL_MACHINE\\x\" /v \"EnableLUA\" /d \"1\" /f && COLOR 3f"
                 "  && title ★★★ 操作成功 ★★★ && echo. && echo.重启电脑后生效！ && exit 0",
                 "", "", "注册表", 1},
        LineCase{"color_same_digits_fails", "/c", "color 33 || echo same", "", "same\n", "", 0},
        LineCase{"color_set_succeeds", "/c", "COLOR 3f  && echo ok", "", "ok\n", "", 0},
        LineCase{"color_too_long", "/c", "color 3fa", "", "", "COLOR", 1},
        LineCase{"title_off_terminal_prints_nothing", "/c", "title 设备连接检测结果 && echo ok", "",
                 "ok\n", "", 0},
        LineCase{"pause_at_end_of_input", "/c", "pause && echo after", "",
                 "请按任意键继续. . .\nafter\n", "", 0},
        LineCase{"pause_takes_one_key", "/c", "pause>nul & findstr x", "yx\n", "x\n", "", 0},
        LineCase{"pause_keeps_status", "/c", "adb exit 3 & pause>nul", "", "", "", 3},
        LineCase{"pause_counts_as_success", "/c", "adb exit 3 & pause>nul && echo ran", "", "ran\n",
                 "", 0},
        LineCase{"findstr_reads_input", "/c", "findstr /I apple", "Apple pie\nbanana\napple\n",
                 "Apple pie\napple\n", "", 0},
        LineCase{"findstr_without_words", "/c", "findstr", "", "", "FINDSTR", 2},
        LineCase{"syntax_error_runs_nothing", "/c", "echo a && && echo b", "", "",
                 "此时不应有 &&。", 1},
        LineCase{"missing_redirection_name", "/c", "echo a >", "", "", "命令语法不正确。", 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Kavu passes the language it speaks to its consoles; in English the interpreter's own messages
// are English.
TEST(KavuCmdTest, SpeaksTheLanguageKavuPasses) {
    Sandbox sandbox;
    ::setenv("KAVU_LANG", "en", 1);
    const RunResult unknown = sandbox.run("/c", "nosuch & reg add x");
    const RunResult malformed = sandbox.run("/c", "echo a && && echo b");
    ::setenv("KAVU_LANG", "zh", 1);
    EXPECT_EQ(unknown.err,
              "'nosuch' is not recognized as an internal or external command, operable program or "
              "batch file.\nREG: this system has no Windows registry; the command was not run.\n");
    EXPECT_EQ(malformed.err, "&& was unexpected at this time.\n");
}

TEST(KavuCmdTest, KeepOpenReadsLinesUntilExit) {
    Sandbox sandbox;
    const std::string prompt = "\n" + sandbox.work().string() + ">";
    const RunResult r = sandbox.run("/k", "echo first", "echo second\nEXIT 4\necho never\n");
    EXPECT_EQ(r.out, "first\n" + prompt + "second\n" + prompt);
    EXPECT_EQ(r.status, 4);
}

TEST(KavuCmdTest, KeepOpenEndsAtEndOfInputWithLastStatus) {
    Sandbox sandbox;
    const std::string prompt = "\n" + sandbox.work().string() + ">";
    const RunResult r = sandbox.run("/k", "\"COLOR 3f", "adb exit 7\r\nnosuch\necho %errorlevel%");
    EXPECT_EQ(r.out, prompt + prompt + prompt + "9009\n" + prompt);
    EXPECT_EQ(r.err, "'nosuch" + kNotFoundTail);
    EXPECT_EQ(r.status, 0);
}

TEST(KavuCmdTest, EmptyTextRunsNothing) {
    Sandbox sandbox;
    const RunResult run = sandbox.run("/c", "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.status, 0);
    const RunResult keep = sandbox.run("/k", "  ");
    EXPECT_EQ(keep.out, "\n" + sandbox.work().string() + ">");
}

TEST(KavuCmdTest, NullDeviceLeavesNoFile) {
    Sandbox sandbox;
    const RunResult r =
        sandbox.run("/c", "echo gone>nul & echo gone > NUL & pause>Nul & nosuch 2>nul & echo ok");
    EXPECT_EQ(r.out, "ok\n");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(sandbox.workEntries().empty());
}

TEST(KavuCmdTest, PauseToNullNamedFileKeepsPrompt) {
    Sandbox sandbox;
    const RunResult r = sandbox.run("/c", "pause>null && EXIT");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(sandbox.workEntries(), std::vector<std::string>{"null"});
    EXPECT_EQ(sandbox.readFile(sandbox.work() / "null"), "请按任意键继续. . .\n");
}

TEST(KavuCmdTest, RedirectionsToFiles) {
    Sandbox sandbox;
    const RunResult r = sandbox.run(
        "/c", "echo one> out.txt && echo two >>out.txt && findstr o < out.txt && nosuch 2>err.txt "
              "|| adb x 1>&2");
    // The blanks before "&&" belong to the command, so they are written too.
    EXPECT_EQ(sandbox.readFile(sandbox.work() / "out.txt"), "one \ntwo  \n");
    EXPECT_EQ(r.out, "one \ntwo  \n");
    EXPECT_EQ(sandbox.readFile(sandbox.work() / "err.txt"), "'nosuch" + kNotFoundTail);
    EXPECT_EQ(r.err, "adb\n[x]\n");
    EXPECT_EQ(r.status, 0);
}

TEST(KavuCmdTest, MissingInputFileFails) {
    Sandbox sandbox;
    const RunResult r = sandbox.run("/c", "findstr a < missing.txt || echo failed");
    EXPECT_EQ(r.out, "failed\n");
    EXPECT_EQ(r.err, "系统找不到指定的文件。\n");
}

TEST(KavuCmdTest, DocumentOpensWithDesktopHandler) {
    Sandbox sandbox;
    sandbox.writeFile(sandbox.work() / "screen.png", "PNG", false);
    const RunResult r = sandbox.run("/c", "screen.png && echo opened");
    EXPECT_EQ(r.out, "opened\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(sandbox.readFile(sandbox.bin() / "opened.txt"),
              (sandbox.work() / "screen.png").string() + "\n");
}

// A screenshot served as a script, on a volume where every file has the execute bit.
TEST(KavuCmdTest, ExecutableDocumentIsOpenedNotRun) {
    Sandbox sandbox;
    sandbox.writeFile(sandbox.work() / "screen.png", "#!/bin/sh\necho ran > ran.txt\n", true);
    const RunResult r = sandbox.run("/c", "screen.png && echo opened");
    EXPECT_EQ(r.out, "opened\n");
    EXPECT_EQ(sandbox.readFile(sandbox.bin() / "opened.txt"),
              (sandbox.work() / "screen.png").string() + "\n");
    EXPECT_EQ(sandbox.workEntries(), std::vector<std::string>{"screen.png"});
}

TEST(KavuCmdTest, CurrentFolderBeforePath) {
    Sandbox sandbox;
    sandbox.writeFile(sandbox.work() / "adb", "#!/bin/sh\necho local adb\n", true);
    EXPECT_EQ(sandbox.run("/c", "adb devices").out, "local adb\n");
}

TEST(KavuCmdTest, QuotedProgramNameKeepsQuotes) {
    Sandbox sandbox;
    sandbox.writeFile(sandbox.work() / "my tool", "#!/bin/sh\nprintf '[%s]\\n' \"$@\"\n", true);
    EXPECT_EQ(sandbox.run("/c", "\"my tool\" a  \"b c\"").out, "");
    EXPECT_EQ(sandbox.run("/c", "\"my tool\" a  b").out, "[a]\n[b]\n");
}

TEST(KavuCmdTest, ChangeFolderMovesChildren) {
    Sandbox sandbox;
    std::filesystem::create_directory(sandbox.work() / "sub");
    const RunResult r =
        sandbox.run("/c", "cd sub && cd && pwd && echo x>f.txt && cd.. && cd missing");
    const std::string sub = (sandbox.work() / "sub").string();
    EXPECT_EQ(r.out, sub + "\n" + sub + "\n");
    EXPECT_EQ(r.err, "系统找不到指定的路径。\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(sandbox.readFile(sandbox.work() / "sub" / "f.txt"), "x \n");
}

TEST(KavuCmdTest, ChildrenInheritOnlyStandardHandles) {
    Sandbox sandbox;
    // ls opens one folder handle of its own (3) to list its handles.
    const std::string expected = "0\n1\n2\n3\n";
    EXPECT_EQ(sandbox.run("/c", "ls -1 /proc/self/fd").out, expected);
    EXPECT_EQ(sandbox.run("/c", "ls -1 /proc/self/fd | findstr 0 1 2 3 4 5 6 7 8 9").out, expected);
    EXPECT_EQ(
        sandbox.run("/c", "ls -1 /proc/self/fd >out.txt & findstr 0 1 2 3 4 5 6 7 8 9 <out.txt")
            .out,
        expected);
}

// The device-check banner, built from its pieces: each piece is joined to the next by " && ".
std::string deviceCheckBanner(const std::string& pauseTarget) {
    const std::string stars(66, '*');
    const std::string frame = "*" + std::string(64, ' ') + "*";
    const std::vector<std::string> pieces{
        "COLOR 3f ",
        "title 设备连接检测结果",
        "echo   " + stars,
        "echo.  " + frame,
        "echo   *   1.device前显示设备序列号即表示连接成功，软件才可正常使用！   *",
        "echo   *   2.若连接不到设备，请在帮助界面下载驱动或更换电脑。" + std::string(11, ' ') +
            "*",
        "echo   *   3.连接问题属于个人设备问题，不接受反馈。" + std::string(21, ' ') + "*",
        "echo.  " + frame,
        "echo.  " + stars,
        "echo. ",
        "echo.",
        "echo 按任意键关闭此窗口...",
        "pause>" + pauseTarget,
        "EXIT",
    };
    std::string suffix;
    for (const std::string& piece : pieces) {
        suffix += " && " + piece;
    }
    return suffix;
}

std::size_t characters(const std::string& utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

TEST(KavuCmdTest, DeviceCheckBannerPrintsFramedBox) {
    ASSERT_EQ(characters(deviceCheckBanner("null")), 564U); // the banner as the program knows it
    Sandbox sandbox;
    const RunResult r = sandbox.run("/k", "adb devices" + deviceCheckBanner("nul"));
    const std::string stars(66, '*');
    const std::string frame = "  *" + std::string(64, ' ') + "* \n";
    const std::string expected =
        "adb\n[devices]\n"
        "  " +
        stars + " \n" + frame +
        "  *   1.device前显示设备序列号即表示连接成功，软件才可正常使用！   * \n"
        "  *   2.若连接不到设备，请在帮助界面下载驱动或更换电脑。" +
        std::string(11, ' ') +
        "* \n"
        "  *   3.连接问题属于个人设备问题，不接受反馈。" +
        std::string(21, ' ') + "* \n" + frame + "  " + stars +
        " \n"
        "  \n"
        " \n"
        "按任意键关闭此窗口... \n";
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(sandbox.workEntries().empty());
}

} // namespace
} // namespace kavu::console::testing
