#pragma once

#include <string_view>

// Every web address the program opens, in the browser or on the phone.
namespace kavu::addresses {

// F-Droid, the open catalogue of free Android apps: one web page per package, below this address.
inline constexpr std::string_view kCommunityPackagePages = "https://f-droid.org/packages/";
// The F-Droid app, which opens those pages on the phone.
inline constexpr std::string_view kCommunityAppPackage = "org.fdroid.fdroid";

// Google's USB driver for Windows: the official page with the driver's zip archive.
inline constexpr std::string_view kUsbDriverArchive =
    "https://developer.android.com/studio/run/win-usb";
// The official list of the phone makers' USB driver installers.
inline constexpr std::string_view kUsbDriverInstallers =
    "https://developer.android.com/studio/run/oem-usb";

// The Android Open Source Project's source repositories.
inline constexpr std::string_view kAndroidSource = "https://android.googlesource.com/";
// The Android developer reference.
inline constexpr std::string_view kAndroidReference = "https://developer.android.com/reference";
// The Tango icon library, where the launcher's icons come from. Its own site has been down since
// about the end of 2023; the web archive keeps a copy of the page.
inline constexpr std::string_view kIconLibrary =
    "https://web.archive.org/web/2020/http://tango.freedesktop.org/Tango_Icon_Library";

} // namespace kavu::addresses
