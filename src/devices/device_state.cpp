#include "devices/device_state.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace kavu::devices {

namespace {

const adb::ListedDevice* find(const std::vector<adb::ListedDevice>& devices,
                              std::string_view serial) {
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const adb::ListedDevice& d) { return d.serial == serial; });
    return found == devices.end() ? nullptr : &*found;
}

// A serial shown in the list is cut after this many bytes.
constexpr std::size_t kShownSerialBytes = 64;

// The code point of the UTF-8 sequence at the start of text and its length; none when the bytes
// there are no valid sequence (overlong forms and surrogates included).
std::optional<std::pair<char32_t, std::size_t>> decodeFirst(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80) {
        return std::pair{char32_t{lead}, std::size_t{1}};
    }
    // The lead byte of each longer form (the bits that mark it) and the least code point that form
    // may carry: anything less is an overlong form.
    struct Lead {
        unsigned char mask;
        unsigned char marker;
        std::size_t length;
        char32_t least;
    };
    static constexpr Lead kLeads[] = {
        {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    const auto form = std::find_if(std::begin(kLeads), std::end(kLeads),
                                   [lead](const Lead& l) { return (lead & l.mask) == l.marker; });
    if (form == std::end(kLeads)) {
        return std::nullopt;
    }
    const std::size_t length = form->length;
    const char32_t least = form->least;
    char32_t code = lead & static_cast<unsigned char>(~form->mask);
    if (text.size() < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return std::pair{code, length};
}

std::string escapedSerial(std::string_view serial) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : serial.substr(0, kShownSerialBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            shown += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
        }
    }
    return serial.size() > kShownSerialBytes ? shown + "…" : shown;
}

// The line as plain UTF-8 of at most kShownOutputBytes: a tab is a blank, any other control
// character and each byte of an invalid sequence the replacement character.
std::string shownOutputLine(std::string_view line) {
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string shown;
    while (!line.empty()) {
        const auto decoded = decodeFirst(line);
        const std::size_t length = decoded ? decoded->second : 1;
        std::string_view piece = line.substr(0, length);
        if (!decoded) {
            piece = kReplacement;
        } else if (decoded->first == U'\t') {
            piece = " ";
        } else if (decoded->first < 0x20 || (decoded->first >= 0x7F && decoded->first <= 0x9F)) {
            piece = kReplacement;
        }
        if (shown.size() + piece.size() > kShownOutputBytes) {
            return shown + "…";
        }
        shown += piece;
        line.remove_prefix(length);
    }
    return shown;
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<ServerStartFailure> serverStartFailure(int exitCode, std::string_view output) {
    if (exitCode == 0) {
        return std::nullopt;
    }
    // adb says first that it starts a server, which is not why it failed; the server's own log,
    // which adb copies when the server did not answer, names the reason in its fatal line
    // ("adb F 12-08 07:31:10  1400  1400 main.cpp:144] could not install …").
    static constexpr std::string_view kStartingNotice = "* daemon not running";
    static constexpr std::string_view kFatalLog = "adb F ";
    std::optional<std::string_view> first;
    std::optional<std::string_view> reason;
    std::optional<std::string_view> fatal;
    while (!output.empty() && !fatal) {
        const std::size_t end = output.find('\n');
        const std::string_view line = trimmed(output.substr(0, end));
        output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
        if (line.empty()) {
            continue;
        }
        first = first.value_or(line);
        if (const std::size_t said = line.find("] ");
            line.starts_with(kFatalLog) && said != std::string_view::npos) {
            fatal = trimmed(line.substr(said + 2));
        } else if (!reason && !line.starts_with(kStartingNotice)) {
            reason = line;
        }
    }
    const std::optional<std::string_view> said = fatal ? fatal : reason ? reason : first;
    return ServerStartFailure{exitCode, said ? shownOutputLine(*said) : std::string()};
}

bool isUsableSerial(std::string_view serial) {
    if (serial.empty()) {
        return false;
    }
    while (!serial.empty()) {
        const auto decoded = decodeFirst(serial);
        if (!decoded) {
            return false;
        }
        const char32_t code = decoded->first;
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
            return false;
        }
        serial.remove_prefix(decoded->second);
    }
    return true;
}

State classify(std::string_view serverWord) {
    struct Word {
        std::string_view word;
        State state;
    };
    static constexpr Word kWords[] = {
        {"device", State::Device},         {"unauthorized", State::Unauthorized},
        {"offline", State::Offline},       {"recovery", State::Recovery},
        {"rescue", State::Recovery},       {"sideload", State::Sideload},
        {"bootloader", State::Bootloader}, {"authorizing", State::Connecting},
        {"connecting", State::Connecting},
    };
    if (serverWord.starts_with("no permissions")) {
        return State::NoPermissions;
    }
    for (const Word& entry : kWords) {
        if (serverWord == entry.word) {
            return entry.state;
        }
    }
    return State::Other;
}

std::string itemText(const adb::ListedDevice& device, Translate shown) {
    if (!isUsableSerial(device.serial)) {
        return fillIn(shown(KAVU_TEXT("kavu", "%1（序列号无效）")), escapedSerial(device.serial));
    }
    if (device.model.empty()) {
        return device.serial;
    }
    return device.model + " (" + device.serial + ")";
}

std::string departedItemText(std::string_view serial, Translate shown) {
    return fillIn(shown(KAVU_TEXT("kavu", "%1（已断开）")), serial);
}

std::string startFailureText(const ServerStartFailure& failure, Translate shown) {
    const std::string code = std::to_string(failure.exitCode);
    return failure.line.empty()
               ? fillIn(shown(KAVU_TEXT("kavu", "adb 无法启动服务（退出码 %1）。")), code)
               : fillIn(shown(KAVU_TEXT("kavu", "adb 无法启动服务（退出码 %1）：")), code) +
                     failure.line;
}

std::string explanation(const Snapshot& snapshot, const std::optional<std::string>& chosen,
                        Translate shown) {
    switch (snapshot.server) {
    case Server::Unknown:
        return shown(KAVU_TEXT("kavu", "正在连接 adb 服务……"));
    case Server::Down:
        // A server on another machine cannot be started from here.
        if (!snapshot.remoteServer.empty()) {
            return fillIn(shown(KAVU_TEXT("kavu", "无法连接 adb 服务器 %1")),
                          snapshot.remoteServer);
        }
        // The device check tried to start it and could not: running it again is no advice.
        if (snapshot.startFailure) {
            return startFailureText(*snapshot.startFailure, shown);
        }
        return shown(
            KAVU_TEXT("kavu", "adb 服务未运行：运行一次设备检测或 adb devices 即可启动。"));
    case Server::Up:
        break;
    }
    const adb::ListedDevice* device = chosen ? find(snapshot.devices, *chosen) : nullptr;
    if (chosen && device == nullptr) {
        return fillIn(shown(KAVU_TEXT("kavu", "已断开，等待重新连接：%1")), *chosen);
    }
    if (snapshot.devices.empty()) {
        return shown(KAVU_TEXT("kavu", "未发现设备：请连接数据线并开启 USB 调试。"));
    }
    if (device == nullptr) {
        const bool anyUsable =
            std::any_of(snapshot.devices.begin(), snapshot.devices.end(),
                        [](const adb::ListedDevice& d) { return isUsableSerial(d.serial); });
        return shown(anyUsable ? KAVU_TEXT("kavu", "连接了多台设备：请在列表中选择要操作的一台。")
                               : KAVU_TEXT("kavu", "设备的序列号无效，无法选择。"));
    }
    switch (classify(device->state)) {
    case State::Device:
        return shown(KAVU_TEXT("kavu", "已连接，可以使用。"));
    case State::Unauthorized:
        return shown(KAVU_TEXT("kavu", "未授权：请在手机上允许 USB 调试。"));
    case State::Offline:
        return shown(KAVU_TEXT("kavu", "离线：请重新插拔数据线。"));
    case State::NoPermissions:
        return shown(KAVU_TEXT("kavu", "无权限：请配置 udev 规则并加入 plugdev 组。"));
    case State::Recovery:
        return shown(KAVU_TEXT("kavu", "恢复模式：只有部分功能可用。"));
    case State::Sideload:
        return shown(KAVU_TEXT("kavu", "侧载模式：手机在等待 adb sideload。"));
    case State::Bootloader:
        return shown(KAVU_TEXT("kavu", "引导模式：请使用“线刷专区”。"));
    case State::Connecting:
        return shown(KAVU_TEXT("kavu", "正在连接：请解锁手机并稍候。"));
    case State::Other:
        break;
    }
    return fillIn(shown(KAVU_TEXT("kavu", "状态：%1")), device->state);
}

namespace {

bool isReady(const adb::ListedDevice& device) {
    return classify(device.state) == State::Device && isUsableSerial(device.serial);
}

} // namespace

std::vector<std::string> readySerials(const std::vector<adb::ListedDevice>& devices) {
    std::vector<std::string> ready;
    for (const adb::ListedDevice& device : devices) {
        if (isReady(device)) {
            ready.push_back(device.serial);
        }
    }
    return ready;
}

std::string everyDeviceItemText(std::size_t count, Translate shown) {
    return fillIn(shown(KAVU_TEXT("kavu", "全部设备（%1 台）")), std::to_string(count));
}

std::string everyDeviceExplanation(const Snapshot& snapshot, Translate shown) {
    const auto readyCount =
        std::count_if(snapshot.devices.begin(), snapshot.devices.end(), isReady);
    const std::string text = fillIn(shown(KAVU_TEXT("kavu", "命令将在全部 %1 台设备上运行")),
                                    std::to_string(readyCount));
    std::string skipped;
    for (const adb::ListedDevice& device : snapshot.devices) {
        if (isReady(device)) {
            continue;
        }
        const State state = classify(device.state);
        const std::string why = state == State::Unauthorized ? shown(KAVU_TEXT("kavu", "未授权"))
                                : state == State::Offline    ? shown(KAVU_TEXT("kavu", "离线"))
                                                             : device.state;
        const std::string one =
            escapedSerial(device.serial) + fillIn(shown(KAVU_TEXT("kavu", "（%1）")), why);
        skipped += (skipped.empty() ? "" : shown(KAVU_TEXT("kavu", "、"))) + one;
    }
    return skipped.empty() ? text + shown(KAVU_TEXT("kavu", "。"))
                           : fillIn(shown(KAVU_TEXT("kavu", "%1；跳过：")), text) + skipped;
}

std::optional<std::string> choose(const std::optional<std::string>& previous,
                                  const std::vector<adb::ListedDevice>& devices) {
    if (previous) {
        return previous;
    }
    if (devices.size() == 1 && isUsableSerial(devices.front().serial)) {
        return devices.front().serial;
    }
    return std::nullopt;
}

} // namespace kavu::devices
