#pragma once

#include "app/command.h"

#include <QString>
#include <QStringView>

// Command lines of the application shell's own windows.
namespace kavu::shell {

// The main window's device check at start-up, in a console with the check's banner after it.
inline constexpr QStringView kDeviceCheck = u"adb devices";
// The check as it runs: it lists every phone, so it runs once whichever phones are chosen.
inline Command deviceCheckCommand() {
    return Command(kDeviceCheck).reaching(launch::Reach::Computer);
}

// Before the device check's console, the same adb starts this computer's server in the background,
// so that why it could not is known; the console's adb then finds the server up (or fails again,
// in front of the user), never racing this one to start a server.
inline constexpr FixedCommand kStartServer{
    u"adb start-server", launch::kHidden, {}, {}, launch::Reach::Computer};

// The screenshot's steps, all hidden: taken on the phone, pulled into the working folder, opened
// there, and removed from the phone.
inline constexpr FixedCommand kTakeScreenshot{
    u"adb shell /system/bin/screencap -p /sdcard/screen.png", launch::kHidden, {}};
inline constexpr FixedCommand kPullScreenshot{u"adb pull /sdcard/screen.png", launch::kHidden, {}};
inline constexpr FixedCommand kOpenScreenshot{
    u"screen.png", launch::kHidden, {}, {}, launch::Reach::Computer};
inline constexpr FixedCommand kRemoveScreenshot{
    u"adb shell rm /sdcard/screen.png", launch::kHidden, {}};

// What the help window's hidden Textz holds: a line break, then the registry command that turns
// the administrator approval mode back on (which restores dragging files onto programs).
inline constexpr QStringView kRegistryRepair =
    u"\r\nreg add \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies"
    u"\\system\" /v \"EnableLUA\" /d \"1\" /f";

// The repair's console line for the stored text: its leading line break is dropped, so that the
// interpreter runs the command, and the success title follows only when it succeeded.
QString registryRepairLine(const QString& stored);

} // namespace kavu::shell
