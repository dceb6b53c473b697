#include "apps/package_read.h"

#include <algorithm>

namespace kavu::apps {

std::string quotedLine(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\v\f";
    std::string_view line;
    while (!text.empty() && line.empty()) {
        const std::size_t end = text.find('\n');
        line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::size_t first = line.find_first_not_of(kBlanks);
        line = first == std::string_view::npos
                   ? std::string_view()
                   : line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
    }
    const bool cut = line.size() > kQuotedBytes;
    if (cut) {
        std::size_t size = kQuotedBytes;
        // Back to the first byte of a UTF-8 sequence.
        while (size > 0 && (static_cast<unsigned char>(line[size]) & 0xC0) == 0x80) {
            --size;
        }
        line = line.substr(0, size);
    }
    std::string quoted(line);
    std::replace_if(
        quoted.begin(), quoted.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; }, ' ');
    return cut ? quoted + "…" : quoted;
}

std::optional<std::string> whyNoRead(const devices::Snapshot& snapshot,
                                     const std::optional<std::string>& chosen, Translate shown) {
    if (chosen && snapshot.server == devices::Server::Unknown) {
        return std::nullopt;
    }
    if (snapshot.server == devices::Server::Up) {
        if (chosen) {
            const auto listed = std::find_if(
                snapshot.devices.begin(), snapshot.devices.end(),
                [&chosen](const adb::ListedDevice& device) { return device.serial == *chosen; });
            if (listed != snapshot.devices.end() &&
                devices::classify(listed->state) == devices::State::Device) {
                return std::nullopt;
            }
        } else if (std::count_if(snapshot.devices.begin(), snapshot.devices.end(),
                                 [](const adb::ListedDevice& device) {
                                     return devices::isUsableSerial(device.serial);
                                 }) > 1) {
            // The main window's explanation says "the list" for its own drop-down.
            return shown(KAVU_TEXT("kavu", "连接了多台设备：请先在主窗口的设备列表中选择一台。"));
        }
    }
    return devices::explanation(snapshot, chosen, shown);
}

std::optional<std::string> listingFailure(const adb::ShellResult& result, Translate shown) {
    if (result.error != adb::ShellError::None) {
        return shown(adb::errorText(result));
    }
    if (result.exitCode.value_or(0) != 0) {
        const std::string said = quotedLine(result.err.empty() ? result.out : result.err);
        const std::string exitCode = std::to_string(*result.exitCode);
        return said.empty()
                   ? fillIn(shown(KAVU_TEXT("kavu", "包管理器报错（退出码 %1）。")), exitCode)
                   : fillIn(shown(KAVU_TEXT("kavu", "包管理器报错（退出码 %1）：")), exitCode) +
                         said;
    }
    if (result.exitCode) {
        return std::nullopt;
    }
    // The plain shell service gives no exit code, and its errors come as text instead of the list.
    const std::string said = quotedLine(result.out);
    if (!said.empty() && adb::listedPackageNames(result.out).empty()) {
        return shown(KAVU_TEXT("kavu", "包管理器的回答无法识别：")) + said;
    }
    return std::nullopt;
}

PackageRead combineListings(const std::array<adb::ShellResult, kListingCount>& results,
                            Translate shown) {
    for (const adb::ShellResult& result : results) {
        if (std::optional<std::string> failure = listingFailure(result, shown)) {
            return {{}, std::move(*failure), 0};
        }
    }
    adb::CombinedPackages combined = adb::combinePackageListings(
        {results[0].out, results[1].out, results[2].out, results[3].out});
    PackageRead read{std::move(combined.packages), {}, combined.invalidNames};
    if (read.packages.empty()) {
        read.failure = shown(KAVU_TEXT("kavu", "手机没有列出任何应用，请点击“刷新”再试一次。"));
    }
    return read;
}

PackageRead readAllListings(const adb::ShellResult& result, Translate shown) {
    if (result.error != adb::ShellError::None) {
        return {{}, shown(adb::errorText(result)), 0};
    }
    const std::optional<std::array<adb::ListingPart, kListingCount>> parts =
        adb::splitListings(result.out);
    if (!parts) {
        const std::string said = quotedLine(result.err.empty() ? result.out : result.err);
        return {{},
                said.empty()
                    ? shown(KAVU_TEXT("kavu", "手机没有列出任何应用，请点击“刷新”再试一次。"))
                    : shown(KAVU_TEXT("kavu", "包管理器的回答无法识别：")) + said,
                0};
    }
    std::array<adb::ShellResult, kListingCount> results;
    for (std::size_t i = 0; i < kListingCount; ++i) {
        results[i].out = std::string((*parts)[i].out);
        results[i].exitCode = (*parts)[i].exitCode;
    }
    return combineListings(results, shown);
}

} // namespace kavu::apps
