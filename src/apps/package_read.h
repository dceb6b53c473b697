#pragma once

#include "devices/device_state.h"
#include "devices/package_list.h"
#include "devices/shell_protocol.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the apps window's package list reads from the phone and what it makes of the answers: the
// four listings of the package manager, combined into one list, or the reason there is none. No
// widgets here; UTF-8 texts.
namespace kavu::apps {

// The listings one read asks for, in this order (in one request: adb::allListingsCommand()).
inline constexpr std::size_t kListingCount = 4;

// The packages of a finished read, or why it gave none.
struct PackageRead {
    std::vector<adb::Package> packages;
    std::string failure; // empty when the read succeeded
    // How many names the phone listed that are not package names (left out).
    std::size_t invalidNames = 0;

    bool operator==(const PackageRead&) const = default;
};

// Why the chosen device's packages cannot be read now, or nothing when a read may start: no
// device chosen (none, or several and none picked), the chosen one away or not usable (not
// authorized, offline, in recovery…), or no adb server. While the watch has not heard from the
// server yet, a chosen device is tried.
std::optional<std::string> whyNoRead(const devices::Snapshot& snapshot,
                                     const std::optional<std::string>& chosen,
                                     Translate shown = sourceText);

// The first line of the text that holds more than blanks, trimmed, as one line of at most
// kQuotedBytes bytes (cut at a character, "…" marks a cut), control characters blanked: how a
// phone's or a program's words are quoted.
inline constexpr std::size_t kQuotedBytes = 160;
std::string quotedLine(std::string_view text);

// Why one listing cannot be used, or nothing: the request failed, the package manager ended with
// an error, or (through the plain shell service, which reports no exit code) it answered with text
// that names no package. What the phone said is quoted (quotedLine).
std::optional<std::string> listingFailure(const adb::ShellResult& result,
                                          Translate shown = sourceText);

// The list from the four listings' results, in the order of adb::allListingsCommand(); the first
// unusable listing's failure otherwise. A phone that lists no package at all is a failed read too:
// every phone has system packages, and an empty list would look like a phone without apps.
PackageRead combineListings(const std::array<adb::ShellResult, kListingCount>& results,
                            Translate shown = sourceText);

// The list from the result of the one request for all four listings (adb::allListingsCommand()):
// the request's failure, an answer that does not split into the four (quoted as an answer not
// understood), or the four listings combined as above.
PackageRead readAllListings(const adb::ShellResult& result, Translate shown = sourceText);

} // namespace kavu::apps
