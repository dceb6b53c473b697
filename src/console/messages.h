#pragma once

#include <string>
#include <string_view>

// The interpreter's own messages, in the language Kavu speaks: Chinese as the Chinese edition of
// Windows words them, or English as the English edition does.
namespace kavu::console {

struct Messages {
    std::string_view syntaxError;
    std::string_view echoOn;
    std::string_view echoOff;
    std::string_view pausePrompt;
    std::string_view pathNotFound;
    std::string_view fileNotFound;
    std::string_view accessDenied;
    std::string_view noRegistry;
    std::string_view badColor;
    std::string_view findstrUsage;
    std::string_view noOpener;
    // A command that was not found: before and after its name.
    std::string_view notFoundBefore;
    std::string_view notFoundAfter;
    // An operator in the wrong place: before and after it, and the word for a line break.
    std::string_view unexpectedBefore;
    std::string_view unexpectedAfter;
    std::string_view lineBreak;

    // "'NAME' 不是内部或外部命令，也不是可运行的程序或批处理文件。"
    std::string notFound(std::string_view name) const;
    // "此时不应有 OP。"
    std::string unexpected(std::string_view op) const;
};

inline constexpr Messages kChineseMessages{
    "命令语法不正确。",
    "ECHO 处于打开状态。",
    "ECHO 处于关闭状态。",
    "请按任意键继续. . .",
    "系统找不到指定的路径。",
    "系统找不到指定的文件。",
    "拒绝访问。",
    "REG: 此系统没有 Windows 注册表，命令未执行。",
    "COLOR: 参数无效。用法: COLOR xy (x 背景色, y 前景色, 各为一位十六进制数字 0-F)",
    "FINDSTR: 错误的命令行",
    "找不到打开此文件的程序 (xdg-open)。",
    "'",
    "' 不是内部或外部命令，也不是可运行的程序或批处理文件。",
    "此时不应有 ",
    "。",
    "换行",
};

inline constexpr Messages kEnglishMessages{
    "The syntax of the command is incorrect.",
    "ECHO is on.",
    "ECHO is off.",
    "Press any key to continue . . .",
    "The system cannot find the path specified.",
    "The system cannot find the file specified.",
    "Access is denied.",
    "REG: this system has no Windows registry; the command was not run.",
    "COLOR: invalid argument. Usage: COLOR xy (x background, y foreground, one hexadecimal digit "
    "0-F each)",
    "FINDSTR: Bad command line",
    "No program found to open this file (xdg-open).",
    "'",
    "' is not recognized as an internal or external command, operable program or batch file.",
    "",
    " was unexpected at this time.",
    "newline",
};

// The messages for Kavu's language as it passes it to its consoles (KAVU_LANG: "en" for English;
// anything else, or nothing, keeps Chinese).
const Messages& messagesFor(const char* language);

// The status of a command that was not found.
inline constexpr int kNotFoundStatus = 9009;

} // namespace kavu::console
