#include "devices/package_list.h"

#include <algorithm>

namespace kavu::adb {

namespace {

// What closes each listing in the answer to allListingsCommand(), before its exit code.
constexpr std::string_view kListedMark = "kavu-listed:";

bool isPackageNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.';
}

// Calls named(NAME) for each "package:NAME" line whose NAME is a package name, invalid(NAME) for
// each other "package:" line, in the listing's order.
template <class Named, class Invalid>
void scanListing(std::string_view listing, Named named, Invalid invalid) {
    constexpr std::string_view kPrefix = "package:";
    while (!listing.empty()) {
        const std::size_t end = listing.find('\n');
        std::string_view line = listing.substr(0, end);
        listing.remove_prefix(end == std::string_view::npos ? listing.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (!line.starts_with(kPrefix)) {
            continue;
        }
        line.remove_prefix(kPrefix.size());
        if (isPackageName(line)) {
            named(line);
        } else {
            invalid(line);
        }
    }
}

// The listing's names, sorted, for lookups.
std::vector<std::string_view> sortedNames(std::string_view listing) {
    std::vector<std::string_view> names;
    scanListing(
        listing, [&names](std::string_view name) { names.push_back(name); },
        [](std::string_view) {});
    std::sort(names.begin(), names.end());
    return names;
}

bool holds(const std::vector<std::string_view>& sorted, std::string_view name) {
    return std::binary_search(sorted.begin(), sorted.end(), name);
}

} // namespace

bool isPackageName(std::string_view text) {
    return !text.empty() && text.size() <= kLongestPackageName &&
           std::all_of(text.begin(), text.end(), isPackageNameCharacter);
}

Listing readListing(std::string_view listing) {
    Listing read;
    scanListing(
        listing, [&read](std::string_view name) { read.names.emplace_back(name); },
        [&read](std::string_view) { ++read.invalidNames; });
    return read;
}

std::string allListingsCommand() {
    std::string command;
    for (const std::string_view listing : {kSystemPackagesCommand, kThirdPartyPackagesCommand,
                                           kDisabledPackagesCommand, kInstalledPackagesCommand}) {
        command.append(command.empty() ? "" : "; ").append(listing);
        command.append(" 2>&1; echo ").append(kListedMark).append("$?");
    }
    return command;
}

std::optional<std::array<ListingPart, 4>> splitListings(std::string_view answer) {
    constexpr std::string_view kMark = kListedMark;
    std::array<ListingPart, 4> parts;
    std::size_t found = 0;
    std::size_t partStart = 0;
    std::size_t lineStart = 0;
    while (lineStart < answer.size()) {
        const std::size_t newline = answer.find('\n', lineStart);
        const std::size_t lineEnd = newline == std::string_view::npos ? answer.size() : newline;
        std::string_view line = answer.substr(lineStart, lineEnd - lineStart);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::size_t mark = line.rfind(kMark);
        const std::string_view code =
            mark == std::string_view::npos ? std::string_view() : line.substr(mark + kMark.size());
        if (found == parts.size()) {
            // After the last listing, only blanks.
            if (line.find_first_not_of(" \t") != std::string_view::npos) {
                return std::nullopt;
            }
        } else if (!code.empty() && code.size() <= 3 &&
                   code.find_first_not_of("0123456789") == std::string_view::npos) {
            const int exitCode = std::stoi(std::string(code));
            if (exitCode > 255) {
                return std::nullopt;
            }
            parts[found++] = {answer.substr(partStart, lineStart + mark - partStart), exitCode};
            partStart = lineEnd + 1;
        }
        lineStart = lineEnd + 1;
    }
    if (found != parts.size()) {
        return std::nullopt;
    }
    return parts;
}

std::vector<std::string> listedPackageNames(std::string_view listing) {
    return readListing(listing).names;
}

CombinedPackages combinePackageListings(const PackageListings& listings) {
    // Sorted vectors rather than trees: a phone may list tens of thousands of packages.
    struct Kind {
        std::string_view name;
        bool system;
    };
    std::vector<Kind> kinds;
    std::vector<std::string_view> invalid;
    const auto collect = [&kinds, &invalid](std::string_view listing, bool system) {
        scanListing(
            listing,
            [&kinds, system](std::string_view name) {
                kinds.push_back({name, system});
            },
            [&invalid](std::string_view name) { invalid.push_back(name); });
    };
    collect(listings.system, true);
    collect(listings.thirdParty, false);
    // A name in both listings sorts with its system entry first, and that one is kept.
    std::sort(kinds.begin(), kinds.end(), [](const Kind& a, const Kind& b) {
        return a.name != b.name ? a.name < b.name : a.system > b.system;
    });
    kinds.erase(std::unique(kinds.begin(), kinds.end(),
                            [](const Kind& a, const Kind& b) { return a.name == b.name; }),
                kinds.end());
    std::sort(invalid.begin(), invalid.end());
    const auto invalidEnd = std::unique(invalid.begin(), invalid.end());

    const std::vector<std::string_view> disabled = sortedNames(listings.disabled);
    const std::vector<std::string_view> installed = sortedNames(listings.installed);
    CombinedPackages combined;
    combined.invalidNames = static_cast<std::size_t>(invalidEnd - invalid.begin());
    combined.packages.reserve(kinds.size());
    for (const Kind& kind : kinds) {
        combined.packages.push_back({std::string(kind.name), kind.system,
                                     holds(disabled, kind.name), !holds(installed, kind.name)});
    }
    return combined;
}

} // namespace kavu::adb
