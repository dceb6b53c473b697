#include "statusbar/status_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace kavu::statusbar {
namespace {

// Each fixed button's whole line: all run hidden but the battery report, shown in a console with
// its trailing space.
TEST(StatusCommands, FixedButtonsSendTheirLines) {
    const struct {
        const FixedCommand& command;
        const char* line;
    } cases[] = {
        {kClockSecondsOn, "cmd /c adb shell settings put secure clock_seconds 1"},
        {kClockSecondsOff, "cmd /c adb shell settings put secure clock_seconds 0"},
        {kShowNotCharging, "cmd /c adb shell dumpsys battery set status 1"},
        {kShowAcCharging, "cmd /c adb shell dumpsys battery set ac 1"},
        {kShowUsbCharging, "cmd /c adb shell dumpsys battery set usb 1"},
        {kShowWirelessCharging, "cmd /c adb shell dumpsys battery set wireless 1"},
        {kBatteryInfo, "cmd /k adb shell dumpsys battery "},
        {kBatteryReset, "cmd /c adb shell dumpsys battery reset"},
        {kImmersiveOff, "cmd /c adb shell settings put global policy_control null"},
        {kIconPaddingDefault,
         "cmd /c adb shell settings delete secure sysui_rounded_content_padding"},
        {kConnectivityCheckOn,
         "cmd /c adb shell settings put global captive_portal_detection_enabled 1"},
        {kConnectivityCheckOff,
         "cmd /c adb shell settings put global captive_portal_detection_enabled 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(consoleLine(c.command).toStdString(), c.line);
    }
}

TEST(StatusCommands, BatteryLevelsFromNoneToFull) {
    const struct {
        const char* typed;
        const char* level; // nullptr: refused as out of range
    } cases[] = {
        {"50", "50"},       {"12.50", "12.5"}, {"", "0"},         {"abc", "0"},
        {"100", "100"},     {"1e2", "100"},    {"7|more", "7"},   {"150", nullptr},
        {"100.5", nullptr}, {"-5", nullptr},   {"-0.5", nullptr}, {"1E+300", nullptr},
        {"1e999", nullptr},
    };
    for (const auto& c : cases) {
        const Command command = batteryLevelCommand(QString::fromLatin1(c.typed));
        const std::string sent = command.refusal() == Refusal::None ? command.text().toStdString()
                                 : command.refusal() == Refusal::OutOfRange ? "out of range"
                                                                            : "other refusal";
        EXPECT_EQ(sent, c.level ? std::string("adb shell dumpsys battery set level ") + c.level
                                : std::string("out of range"))
            << c.typed;
    }
}

} // namespace
} // namespace kavu::statusbar
