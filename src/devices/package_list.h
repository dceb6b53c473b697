#pragma once

#include <array>
#include <cstddef>
#include <optional>
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

// The four listings in one request, in the order above: each with its errors joined to its
// output, then closed by a line "kavu-listed:CODE" with its exit code. One connection and one
// shell on the phone for the four.
std::string allListingsCommand();

// One listing's part of the answer to allListingsCommand(): its output (errors included) and its
// exit code.
struct ListingPart {
    std::string_view out;
    int exitCode = 0;

    bool operator==(const ListingPart&) const = default;
};

// The answer to allListingsCommand() split back into its four listings, in their order; nothing
// when it is not four listings each closed by its line (with a code of 0 to 255), with no more than
// blanks after the last: an answer cut short, or not one to this command. A closing line may carry
// the end of a listing's last line before the mark; the mark ends the line.
std::optional<std::array<ListingPart, 4>> splitListings(std::string_view answer);

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

// The longest name taken for a package's; the package manager's own limit is lower.
inline constexpr std::size_t kLongestPackageName = 255;

// Whether the text is a package name as the program takes one: ASCII letters, digits, _ and .
// (what package names are made of), at most kLongestPackageName of them. Such a name may become a
// word of a command: it holds nothing a shell or a command reads as more, and cannot start with -.
bool isPackageName(std::string_view text);

// What one listing holds: the names of its "package:NAME" lines in their order, and how many such
// lines named something that is not a package name (skipped: the text comes from the phone, and
// the names may later become parts of commands). Other lines (warnings) are not counted.
struct Listing {
    std::vector<std::string> names;
    std::size_t invalidNames = 0;
};
Listing readListing(std::string_view listing);

// The names a listing holds, in its order; readListing's names.
std::vector<std::string> listedPackageNames(std::string_view listing);

// Every package of the system and third-party listings, once, sorted by name (a name in both is
// taken for a system package), and how many names those two listings gave that are not package
// names, each counted once.
struct CombinedPackages {
    std::vector<Package> packages;
    std::size_t invalidNames = 0;
};
CombinedPackages combinePackageListings(const PackageListings& listings);

} // namespace kavu::adb
