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

} // namespace
} // namespace kavu::adb
