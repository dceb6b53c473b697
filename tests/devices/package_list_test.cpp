#include "devices/package_list.h"

#include <gtest/gtest.h>

namespace kavu::adb {

void PrintTo(const Package& p, std::ostream* out) {
    *out << p.name << (p.system ? " system" : " third-party") << (p.disabled ? " disabled" : "")
         << (p.uninstalledForUser ? " uninstalled" : "");
}

namespace {

TEST(PackageList, NamesOfPackageLinesOnly) {
    struct Case {
        std::string listing;
        std::vector<std::string> names;
        std::size_t invalid;
    };
    const Case cases[] = {
        {"", {}, 0},
        {"package:com.b\npackage:com.a\n", {"com.b", "com.a"}, 0},
        {"package:com.a\r\npackage:com.b", {"com.a", "com.b"}, 0},
        // Warnings, file paths, empty or odd names are not package names; only package lines
        // count as names left out.
        {"WARNING: linker: x\npackage:\npackage:/data/app/x.apk=com.x\npackage:com.a b\n"
         "package:com.a;reboot\n package:com.c\npackage:com.d_1.E2\n",
         {"com.d_1.E2"},
         4},
        {"package:" + std::string(kLongestPackageName + 1, 'a') + "\n", {}, 1},
    };
    for (const Case& c : cases) {
        const Listing read = readListing(c.listing);
        EXPECT_EQ(read.names, c.names) << c.listing;
        EXPECT_EQ(read.invalidNames, c.invalid) << c.listing;
    }
}

TEST(PackageList, FourListingsMakeOneSortedList) {
    const PackageListings listings{
        .system = "package:com.android.phone\npackage:com.miui.analytics\npackage:both\n"
                  "package:x;reboot\n",
        // A bad name given twice is one name left out.
        .thirdParty = "package:org.example\npackage:com.tencent.mm\npackage:both\n"
                      "package:x;reboot\npackage:$(id)\n",
        .disabled = "package:com.tencent.mm\n",
        .installed = "package:com.android.phone\npackage:com.tencent.mm\npackage:org.example\n"
                     "package:both\n",
    };
    const std::vector<Package> expected = {
        {"both", true, false, false},
        {"com.android.phone", true, false, false},
        {"com.miui.analytics", true, false, true},
        {"com.tencent.mm", false, true, false},
        {"org.example", false, false, false},
    };
    const CombinedPackages combined = combinePackageListings(listings);
    EXPECT_EQ(combined.packages, expected);
    EXPECT_EQ(combined.invalidNames, 2U);
}

// The one request for the four listings, and its answer split back at its closing lines, as data:
// four of them or nothing.
TEST(PackageList, TheCombinedAnswerSplitsIntoFourListings) {
    EXPECT_EQ(allListingsCommand(),
              "pm list packages -s -u 2>&1; echo kavu-listed:$?; pm list packages -3 -u 2>&1; echo "
              "kavu-listed:$?; pm list packages -d 2>&1; echo kavu-listed:$?; pm list packages "
              "2>&1; echo kavu-listed:$?");
    using Parts = std::array<ListingPart, 4>;
    struct Case {
        std::string answer;
        std::optional<Parts> parts;
    };
    const Case cases[] = {
        {"package:a\nkavu-listed:0\npackage:b\nkavu-listed:0\nkavu-listed:0\n"
         "package:a\npackage:b\nkavu-listed:0\n",
         Parts{{{"package:a\n", 0}, {"package:b\n", 0}, {"", 0}, {"package:a\npackage:b\n", 0}}}},
        // An error without its line end, a terminal's line ends, blanks after the last.
        {"Error: Unknown option: -d kavu-listed:255\r\nkavu-listed:0\r\nkavu-listed:1\r\n"
         "kavu-listed:0\r\n \n",
         Parts{{{"Error: Unknown option: -d ", 255}, {"", 0}, {"", 1}, {"", 0}}}},
        {"kavu-listed:0\nkavu-listed:0\nkavu-listed:0\nkavu-listed:0", Parts{}},
        // Cut short, one listing too many, text after the last, a code out of range: not an
        // answer to the command. A mark without a number is a listing's text.
        {"kavu-listed:0\nkavu-listed:0\nkavu-listed:0\n", std::nullopt},
        {"kavu-listed:0\nkavu-listed:0\nkavu-listed:0\nkavu-listed:0\nkavu-listed:0\n",
         std::nullopt},
        {"kavu-listed:0\nkavu-listed:0\nkavu-listed:0\nkavu-listed:0\npackage:x\n", std::nullopt},
        {"kavu-listed:256\nkavu-listed:0\nkavu-listed:0\nkavu-listed:0\n", std::nullopt},
        {"kavu-listed:x\nkavu-listed:0\nkavu-listed:0\nkavu-listed:0\nkavu-listed:0\n",
         Parts{{{"kavu-listed:x\n", 0}, {"", 0}, {"", 0}, {"", 0}}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitListings(c.answer), c.parts) << c.answer;
    }
}

} // namespace
} // namespace kavu::adb
