#include "flash/flash_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace kavu::flash {
namespace {

std::string line(const FixedCommand& command) {
    return consoleLine(command).toStdString();
}

// Each fixed button's whole line: reboots run hidden, the activation scripts in a console that
// stays open, and the device check in a console with two spaces and a close prompt.
TEST(FlashCommands, FixedButtonsSendTheirLines) {
    const struct {
        const FixedCommand& command;
        const char* line;
    } cases[] = {
        {kRebootRecovery, "cmd /c adb reboot recovery"},
        {kRebootBootloader, "cmd /c adb reboot bootloader"},
        {kRebootEdl, "cmd /c adb reboot edl"},
        {kRebootDownload, "cmd /c adb reboot download"},
        {kFastbootReboot, "cmd /c fastboot reboot"},
        {kAdbReboot, "cmd /c adb reboot"},
        {kBreventStart, "cmd /k adb -d shell sh /data/data/me.piebridge.brevent/brevent.sh"},
        {kShizukuStart,
         "cmd /k adb shell sh /sdcard/Android/data/moe.shizuku.privileged.api/files/start.sh"},
        {kFastbootDevices, "cmd /k  fastboot devices&& COLOR 3f && echo. && echo "
                           "按任意键关闭此窗口... && pause>nul && EXIT"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(line(c.command), c.line);
    }
}

} // namespace
} // namespace kavu::flash
