#pragma once

#include <string>
#include <string_view>

// Text the user types is spliced into command lines. Every typed part says how it is spliced, and
// text that would let the PC's interpreter or the phone's shell do more than take it as data is
// refused before anything runs.
namespace kavu {

enum class Splice {
    // Bare on the PC (a console title, a fastboot partition name): & | < > ^ % " and control
    // characters are refused.
    PcBare,
    // Inside double quotes on the PC (file paths, the push destination): " %, control characters
    // and a trailing backslash (it would swallow the closing quote) are refused.
    PcQuoted,
    // Bare into the phone's shell (adb shell pm … PKG, settings put … VALUE): only ASCII letters,
    // digits and . _ - , : / = + @ pass.
    PhoneBare,
    // Single-quoted for the phone's shell (input text '…'): the PC rule for bare text; the text is
    // quoted by phoneQuoted().
    PhoneQuoted,
    // The text for the phone's input tool (input text '…'): the PC rule on the text as typed; then
    // each space is written %s, the tool's notation for a space (as %^s on the line, so that the
    // interpreter expands nothing), and the result is single-quoted by phoneInputText().
    PhoneInputText,
};

enum class Refusal {
    None,
    PcCharacters,    // would let the PC's interpreter run or redirect something
    PhoneCharacters, // would reach the phone's shell as more than data
    OutOfRange,      // a number read from typed text that no command can take (not finite)
};

Refusal checkSplice(std::string_view utf8Text, Splice splice);

// The text in single quotes for the phone's shell, each ' written as '\''.
std::string phoneQuoted(std::string_view utf8Text);

// The text as the command line carries it to the phone's input tool: spaces written %^s (the
// interpreter passes %s on), then single-quoted as above.
std::string phoneInputText(std::string_view utf8Text);

inline constexpr std::string_view kUnsafeTextMessage =
    "输入内容含有不允许的字符（& | < > ^ % \" 或换行），已取消执行！";
inline constexpr std::string_view kUnsafePhoneTextMessage =
    "输入内容含有手机命令不允许的字符，已取消执行！";
inline constexpr std::string_view kOutOfRangeMessage = "数值超出范围，已取消执行！";
// The title of all three refusals.
inline constexpr std::string_view kUnsafeTextTitle = "警告!";

} // namespace kavu
