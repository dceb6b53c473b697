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
    };
    const Case cases[] = {
        {"", {}},
        {"package:com.b\npackage:com.a\n", {"com.b", "com.a"}},
        {"package:com.a\r\npackage:com.b", {"com.a", "com.b"}},
        // Warnings, file paths, empty or odd names are not package names.
        {"WARNING: linker: x\npackage:\npackage:/data/app/x.apk=com.x\npackage:com.a b\n"
         "package:com.a;reboot\n package:com.c\npackage:com.d_1.E2\n",
         {"com.d_1.E2"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(listedPackageNames(c.listing), c.names) << c.listing;
    }
}

TEST(PackageList, FourListingsMakeOneSortedList) {
    const PackageListings listings{
        .system = "package:com.android.phone\npackage:com.miui.analytics\npackage:both\n",
        .thirdParty = "package:org.example\npackage:com.tencent.mm\npackage:both\n",
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
    EXPECT_EQ(combinePackageListings(listings), expected);
}

} // namespace
} // namespace kavu::adb
