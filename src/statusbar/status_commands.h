#pragma once

#include "app/command.h"

#include <QList>
#include <QString>

#include <array>
#include <cstddef>
#include <string_view>

// The command lines of the status-bar window, each with what it changes on the phone.
namespace kavu::statusbar {

inline constexpr FixedCommand kClockSecondsOn{
    u"adb shell settings put secure clock_seconds 1",
    launch::kHidden,
    {},
    FixedChange::setting(u"secure", u"clock_seconds", u"1")};
inline constexpr FixedCommand kClockSecondsOff{
    u"adb shell settings put secure clock_seconds 0",
    launch::kHidden,
    {},
    FixedChange::setting(u"secure", u"clock_seconds", u"0")};

// The simulated charging states, and the battery service's own report in a console.
inline constexpr FixedCommand kShowNotCharging{u"adb shell dumpsys battery set status 1",
                                               launch::kHidden,
                                               {},
                                               FixedChange::battery(u"status 1")};
inline constexpr FixedCommand kShowAcCharging{
    u"adb shell dumpsys battery set ac 1", launch::kHidden, {}, FixedChange::battery(u"ac 1")};
inline constexpr FixedCommand kShowUsbCharging{
    u"adb shell dumpsys battery set usb 1", launch::kHidden, {}, FixedChange::battery(u"usb 1")};
inline constexpr FixedCommand kShowWirelessCharging{u"adb shell dumpsys battery set wireless 1",
                                                    launch::kHidden,
                                                    {},
                                                    FixedChange::battery(u"wireless 1")};
inline constexpr FixedCommand kBatteryInfo{u"adb shell dumpsys battery ", launch::kConsole, {}};
inline constexpr FixedCommand kBatteryReset{
    u"adb shell dumpsys battery reset", launch::kHidden, {}, FixedChange::battery(std::nullopt)};

inline constexpr FixedCommand kImmersiveOff{
    u"adb shell settings put global policy_control null",
    launch::kHidden,
    {},
    FixedChange::setting(u"global", u"policy_control", u"null")};
inline constexpr FixedCommand kIconPaddingDefault{
    u"adb shell settings delete secure sysui_rounded_content_padding",
    launch::kHidden,
    {},
    FixedChange::setting(u"secure", u"sysui_rounded_content_padding", std::nullopt)};

inline constexpr FixedCommand kConnectivityCheckOn{
    u"adb shell settings put global captive_portal_detection_enabled 1",
    launch::kHidden,
    {},
    FixedChange::setting(u"global", u"captive_portal_detection_enabled", u"1")};
inline constexpr FixedCommand kConnectivityCheckOff{
    u"adb shell settings put global captive_portal_detection_enabled 0",
    launch::kHidden,
    {},
    FixedChange::setting(u"global", u"captive_portal_detection_enabled", u"0")};

// Status-bar icons, in the order their tokens stand in the icon blacklist.
enum class Icon {
    Volume,
    Battery,
    Clock,
    Mobile,
    Wifi,
    AlarmClock,
    Headset,
    Airplane,
    Bluetooth,
    Location,
    Cast,
};
inline constexpr std::size_t kIconCount = 11;

// Which icons are to be hidden, indexed by Icon.
using HiddenIcons = std::array<bool, kIconCount>;

// The slot name of an icon followed by its comma, e.g. "alarm_clock,".
QString iconToken(Icon icon);

// The blacklist always hides the rotation icon; the chosen icons follow in the fixed order.
Command iconBlacklistCommand(const HiddenIcons& hidden);

// The battery service shows levels from 0 to this, in percent.
inline constexpr double kFullBatteryLevel = 100;

// The level is the numeric value of the typed text, written back as decimal text; a level outside
// 0…kFullBatteryLevel is refused.
Command batteryLevelCommand(const QString& typedLevel);

enum class Bar { Status, Navigation };

// An exactly empty box hides the bar everywhere; any other text names the applications
// excluded, as typed.
Command immersiveCommand(Bar bar, const QString& excludedApps);

// The typed number of quick-settings tiles, and the typed padding of the status-bar icons.
Command quickSettingsCountCommand(const QString& typedCount);
Command iconPaddingCommand(const QString& typedPadding);

// A connectivity-check server reachable from mainland China that answers this path with an empty
// 204 response.
inline constexpr std::string_view kConnectivityCheckUrl =
    "http://connect.rom.miui.com/generate_204";

// Points the phone's connectivity check at kConnectivityCheckUrl.
Command connectivityServerCommand();

// Every command of the window that changes the phone, typed ones with a sample of what can be
// typed: the journal reads the values they change, and the tests take each through its undo.
QList<Command> changingCommands();

} // namespace kavu::statusbar
