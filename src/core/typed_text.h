#pragma once

#include <string_view>

// Text the user types is spliced into command lines. Text that would let the interpreter run a
// second command, or redirect, is refused before anything runs.
namespace kavu {

enum class Splice {
    Unquoted, // spliced bare: & | < > ^ " and control characters are refused
    Quoted,   // spliced inside double quotes (file paths): " and control characters are refused
};

bool isSafeToSplice(std::string_view utf8Text, Splice splice);

inline constexpr std::string_view kUnsafeTextMessage =
    "输入内容含有不允许的字符（& | < > ^ \" 或换行），已取消执行！";
inline constexpr std::string_view kUnsafeTextTitle = "警告!";

} // namespace kavu
