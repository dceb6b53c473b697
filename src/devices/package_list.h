#pragma once

#include <string>
#include <string_view>
#include <vector>

// The phone's packages as the package manager lists them ("package:NAME" lines), read four times
// with different filters and combined into one list. No Qt here.
namespace kavu::adb {

// Each listing's command. Together with -u the system and third-party listings also name the
// packages removed for the user but kept on the phone, and still say which kind they are; the
// plain listing names the installed ones.
inline constexpr std::string_view kSystemPackagesCommand = "pm list packages -s -u";
inline constexpr std::string_view kThirdPartyPackagesCommand = "pm list packages -3 -u";
inline constexpr std::string_view kDisabledPackagesCommand = "pm list packages -d";
inline constexpr std::string_view kInstalledPackagesCommand = "pm list packages";

// The output of each command above.
struct PackageListings {
    std::string_view system;
    std::string_view thirdParty;
    std::string_view disabled;
    std::string_view installed;
};

struct Package {
    std::string name;
    bool system = false; // else a third-party package
    bool disabled = false;
    // Removed for the user (user 0) but kept on the phone, so it can be brought back.
    bool uninstalledForUser = false;

    bool operator==(const Package&) const = default;
};

// The names a listing holds, in its order. A line that is not "package:NAME" with a name of
// ASCII letters, digits, _ and . (what package names are made of) is skipped: the text comes
// from the phone, and the names may later become parts of commands.
std::vector<std::string> listedPackageNames(std::string_view listing);

// Every package of the system and third-party listings, once, sorted by name. A name in both is
// taken for a system package.
std::vector<Package> combinePackageListings(const PackageListings& listings);

} // namespace kavu::adb
