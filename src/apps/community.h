#pragma once

#include <string_view>

// The community app "Zelvi" and its web site: "Zelvi搜索(手机)" opens a package's page on the
// site in the app on the phone.
namespace kavu::community {

// The page of one application is the site address, "/apk/" and the package name.
inline constexpr std::string_view kSiteAddress = "https://www.zelvi.cn";
inline constexpr std::string_view kPackagePagePath = "/apk/";
// The Android package of the community app that opens the page.
inline constexpr std::string_view kAppPackage = "cn.zelvi.market";

} // namespace kavu::community
