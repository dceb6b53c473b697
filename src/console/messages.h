#pragma once

#include <string>
#include <string_view>

// The interpreter's own messages, as the Chinese edition of Windows words them.
namespace kavu::console {

inline constexpr std::string_view kSyntaxError = "命令语法不正确。";
inline constexpr std::string_view kEchoOn = "ECHO 处于打开状态。";
inline constexpr std::string_view kEchoOff = "ECHO 处于关闭状态。";
inline constexpr std::string_view kPausePrompt = "请按任意键继续. . .";
inline constexpr std::string_view kPathNotFound = "系统找不到指定的路径。";
inline constexpr std::string_view kFileNotFound = "系统找不到指定的文件。";
inline constexpr std::string_view kAccessDenied = "拒绝访问。";
inline constexpr std::string_view kNoRegistry = "REG: 此系统没有 Windows 注册表，命令未执行。";
inline constexpr std::string_view kBadColor =
    "COLOR: 参数无效。用法: COLOR xy (x 背景色, y 前景色, 各为一位十六进制数字 0-F)";
inline constexpr std::string_view kFindstrUsage = "FINDSTR: 错误的命令行";
inline constexpr std::string_view kNoOpener = "找不到打开此文件的程序 (xdg-open)。";

// "'NAME' 不是内部或外部命令，也不是可运行的程序或批处理文件。"
std::string notFoundMessage(std::string_view name);
// "此时不应有 OP。"
std::string unexpectedMessage(std::string_view op);

// The status of a command that was not found.
inline constexpr int kNotFoundStatus = 9009;

} // namespace kavu::console
