#pragma once

#include "core/shown_text.h"

#include <array>
#include <string>
#include <string_view>

// How a command line reaches the command interpreter: a prefix, the command text and a suffix
// literal, joined with nothing in between, started in one of three window modes.
namespace kavu::launch {

enum class WindowMode { Hidden, Normal, Minimized };

// Whether a line is about a phone, and so runs once on each phone a click names, or about this
// computer and the adb server (adb connect, adb devices, fastboot devices, the registry repair, a
// console to type in), and so runs once whatever the click names.
enum class Reach { Phone, Computer };

// The tool a line about a phone talks to it through: fastboot reaches phones in fastboot mode,
// adb the others.
enum class Tool { Adb, Fastboot };
// The tool of a command text: fastboot when its first word is fastboot (in any case, as the
// interpreter finds programs), else adb.
Tool toolOf(std::string_view commandText);

struct Form {
    std::string_view prefix;
    WindowMode mode;
};

inline constexpr Form kHidden{"cmd /c ", WindowMode::Hidden};
inline constexpr Form kConsole{"cmd /k ", WindowMode::Normal};
inline constexpr Form kConsoleMinimized{"cmd /k ", WindowMode::Minimized};
// The fastboot device check of the flashing window uses two spaces after the switch.
inline constexpr Form kConsoleTwoSpaces{"cmd /k  ", WindowMode::Normal};

// Whole fixed lines that take no command text.
inline constexpr std::string_view kInteractiveConsoleLine = "cmd /k \"COLOR 3f";
inline constexpr std::string_view kGoogleDoneLine = "cmd /k echo 操作完成！请自行检查！ ";

// Suffix literals. Every close prompt sends the pause prompt to the null device ("nul").
// The device check's banner: its rows are padded to the frame with the translated texts.
std::string deviceCheckBanner(Translate shown = sourceText);

// A suffix that names a file in the console title: head, the file name, tail.
struct TitledSuffix {
    std::string_view head;
    std::string_view tail;
};
inline constexpr TitledSuffix kInstallLive{
    " && COLOR 3f  && title 正在安装：",
    " && echo. && echo.出现 Success表示安装完成！ && echo.  && echo. && echo 按任意键关闭此窗口... "
    "&& pause>nul && EXIT"};
inline constexpr TitledSuffix kPushLive{
    " && COLOR 3f  && title 正在传输：",
    " && echo. && echo.出现 xxxxxx 1 file pushed 表示传输完成！ && echo.  && echo. && echo "
    "按任意键关闭此窗口... && pause>nul && EXIT"};

inline constexpr std::string_view kInstallResultSuffix =
    " && COLOR 3f  && title 安装结果 && echo. && echo.出现 Success表示安装完成！ && echo.  && "
    "echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT";
inline constexpr std::string_view kPushResultSuffix =
    " && COLOR 3f  && title 传输结果 && echo. && echo.出现 xxxxxx 1 file pushed 表示传输完成！ && "
    "echo.  && echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT";
inline constexpr std::string_view kFlashDoneRecoverySuffix =
    "&& COLOR 3f && echo. && echo 刷入完成！&& echo "
    "手机可能会重启一到两次后自动进入rec，为正常现象！&& "
    "echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT";
inline constexpr std::string_view kFlashDoneSuffix =
    "&& COLOR 3f && echo. && echo 刷入完成！&& echo. && echo 按任意键关闭此窗口... && pause>nul && "
    "EXIT";
inline constexpr std::string_view kClosePromptSuffix =
    "&& COLOR 3f && echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT";
inline constexpr std::string_view kRegistrySuccessSuffix =
    " && COLOR 3f  && title ★★★ 操作成功 ★★★ && echo. && echo.重启电脑后生效！";

// What Kavu itself writes on a console (titles, echoed banners and closing messages) in the lines
// above, each marked for translation. They stand in the lines in Chinese; consoleText puts each
// into the user's language where it stands, and leaves the commands around them as they are.
inline constexpr std::array<std::string_view, 13> kConsolePhrases{
    KAVU_TEXT("kavu", "操作完成！请自行检查！"),
    KAVU_TEXT("kavu", "正在安装："),
    KAVU_TEXT("kavu", "正在传输："),
    KAVU_TEXT("kavu", "出现 Success表示安装完成！"),
    KAVU_TEXT("kavu", "出现 xxxxxx 1 file pushed 表示传输完成！"),
    KAVU_TEXT("kavu", "按任意键关闭此窗口..."),
    KAVU_TEXT("kavu", "安装结果"),
    KAVU_TEXT("kavu", "传输结果"),
    KAVU_TEXT("kavu", "刷入完成！"),
    KAVU_TEXT("kavu", "手机可能会重启一到两次后自动进入rec，为正常现象！"),
    KAVU_TEXT("kavu", "★★★ 操作成功 ★★★"),
    KAVU_TEXT("kavu", "重启电脑后生效！"),
    KAVU_TEXT("kavu", "设备连接检测结果"),
};

// A fixed console text (a suffix or whole line above) with each of kConsolePhrases in it
// translated. Only the program's own fixed texts go through it, never what the user typed.
std::string consoleText(std::string_view fixedText, Translate shown);

} // namespace kavu::launch
