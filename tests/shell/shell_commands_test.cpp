#include "shell/shell_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace kavu::shell {
namespace {

// The screenshot's four steps, all hidden.
TEST(ShellCommands, ScreenshotStepsSendTheirLines) {
    const struct {
        const FixedCommand& command;
        const char* line;
    } cases[] = {
        {kTakeScreenshot, "cmd /c adb shell /system/bin/screencap -p /sdcard/screen.png"},
        {kPullScreenshot, "cmd /c adb pull /sdcard/screen.png"},
        {kOpenScreenshot, "cmd /c screen.png"},
        {kRemoveScreenshot, "cmd /c adb shell rm /sdcard/screen.png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(consoleLine(c.command).toStdString(), c.line);
    }
}

// The repair runs the stored command without the line breaks before it, in a console that says
// it succeeded only when it did.
TEST(ShellCommands, RegistryRepairDropsOnlyLeadingLineBreaks) {
    const std::string success = " && COLOR 3f  && title ★★★ 操作成功 ★★★ && echo. && "
                                "echo.重启电脑后生效！";
    const struct {
        const char* stored;
        std::string line;
    } cases[] = {
        {"\r\nreg add X", "cmd /k reg add X" + success},
        {"\n\r\n\rreg add X", "cmd /k reg add X" + success},
        {"reg add X\r\n", "cmd /k reg add X\r\n" + success},
        {"", "cmd /k " + success},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(registryRepairLine(QString::fromUtf8(c.stored)).toStdString(), c.line);
    }
    EXPECT_EQ(registryRepairLine(kRegistryRepair.toString()).toStdString(),
              "cmd /k reg add \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"
              "\\policies\\system\" /v \"EnableLUA\" /d \"1\" /f" +
                  success);
}

} // namespace
} // namespace kavu::shell
