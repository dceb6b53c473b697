#pragma once

#include "core/shown_text.h"

#include <cstddef>
#include <string>
#include <string_view>

// Text the user types is spliced into command lines. Every typed part says how it is spliced, and
// text that would let the PC's interpreter or the phone's shell do more than take it as data is
// refused before anything runs.
namespace kavu {

enum class Splice {
    // Bare on the PC (a console title): & | < > ^ % " and control characters are refused.
    PcBare,
    // Inside double quotes on the PC (file paths, the push destination): " %, control characters
    // and a trailing backslash (it would swallow the closing quote) are refused.
    PcQuoted,
    // Bare into the phone's shell (settings put … VALUE): only ASCII letters, digits and
    // . _ - , : / = + @ pass.
    PhoneBare,
    // A name that stands as its own argument of a phone command (adb shell pm … PKG): the rule
    // for bare phone text, and no leading -, which the command would read as one of its options.
    PhoneName,
    // A partition name, its own argument of fastboot flash: empty (fastboot then says what is
    // missing) or one word of at most kLongestPartitionName ASCII letters, digits, _ . and -, not
    // starting with -, which fastboot would read as one of its options (-w erases the user data).
    PartitionName,
    // Single-quoted for the phone's shell (input text '…'): the PC rule for bare text; the text is
    // quoted by phoneQuoted().
    PhoneQuoted,
    // The text for the phone's input tool (input text '…'): the PC rule on the text as typed; then
    // each space is written %s, the tool's notation for a space (as %^s on the line, so that the
    // interpreter expands nothing), and the result is single-quoted by phoneInputText().
    PhoneInputText,
    // A phone's address on the network, "HOST:PORT" (adb connect, disconnect, pair): an IPv4
    // address or a host name, and a port 1 to 65535 (isHostName, portNumber).
    NetworkAddress,
};

enum class Refusal {
    None,
    PcCharacters,    // would let the PC's interpreter run or redirect something
    PhoneCharacters, // would reach the phone's shell as more than data
    OutOfRange,      // a number read from typed text that no command can take (not finite)
    PartitionName,   // not a partition name: an option, several words or other characters
    NetworkAddress,  // not HOST:PORT
};

inline constexpr std::size_t kLongestPartitionName = 64;

Refusal checkSplice(std::string_view utf8Text, Splice splice);

// The text in single quotes for the phone's shell, each ' written as '\''.
std::string phoneQuoted(std::string_view utf8Text);

// The text as the command line carries it to the phone's input tool: spaces written %^s (the
// interpreter passes %s on), then single-quoted as above.
std::string phoneInputText(std::string_view utf8Text);

inline constexpr std::string_view kUnsafeTextMessage =
    KAVU_TEXT("kavu", "输入内容含有不允许的字符（& | < > ^ % \" 或换行），已取消执行！");
inline constexpr std::string_view kUnsafePhoneTextMessage =
    KAVU_TEXT("kavu", "输入内容含有手机命令不允许的字符，已取消执行！");
inline constexpr std::string_view kOutOfRangeMessage =
    KAVU_TEXT("kavu", "数值超出范围，已取消执行！");
inline constexpr std::string_view kInvalidPartitionNameMessage =
    KAVU_TEXT("kavu", "分区名无效（只能包含字母、数字、_ . -，且不能以 - 开头），已取消执行！");
inline constexpr std::string_view kInvalidNetworkAddressMessage = KAVU_TEXT(
    "kavu", "地址无效（格式为 主机:端口，主机为 IP 地址或主机名，端口 1-65535），已取消执行！");
// What the user is told for a refusal; empty for Refusal::None.
std::string_view refusalMessage(Refusal refusal);
// The title of every refusal.
inline constexpr std::string_view kUnsafeTextTitle = KAVU_TEXT("kavu", "警告!");

} // namespace kavu
