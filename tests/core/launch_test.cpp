#include "core/launch.h"

#include <gtest/gtest.h>

#include <string>

namespace kavu::launch {
namespace {

// Counts characters, not bytes: the literals are UTF-8.
std::size_t characters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

TEST(LaunchForms, PrefixesAndModes) {
    EXPECT_EQ(kHidden.prefix, "cmd /c ");
    EXPECT_EQ(kHidden.mode, WindowMode::Hidden);
    EXPECT_EQ(kConsole.prefix, "cmd /k ");
    EXPECT_EQ(kConsole.mode, WindowMode::Normal);
    EXPECT_EQ(kConsoleMinimized.prefix, "cmd /k ");
    EXPECT_EQ(kConsoleMinimized.mode, WindowMode::Minimized);
    EXPECT_EQ(kConsoleTwoSpaces.prefix, "cmd /k  ");
    EXPECT_EQ(kConsoleTwoSpaces.mode, WindowMode::Normal);
}

TEST(LaunchForms, JoinAddsNothingBetweenThePieces) {
    EXPECT_EQ(joinLine(kHidden, "adb devices", ""), "cmd /c adb devices");
    EXPECT_EQ(joinLine(kConsole, "", ""), "cmd /k ");
    EXPECT_EQ(joinLine(kConsoleTwoSpaces, "fastboot devices", std::string(kClosePromptSuffix)),
              "cmd /k  fastboot devices&& COLOR 3f && echo. && echo 按任意键关闭此窗口... && "
              "pause>nul && EXIT");
}

TEST(FixedLines, InteractiveConsoleAndGoogleNotice) {
    EXPECT_EQ(kInteractiveConsoleLine, "cmd /k \"COLOR 3f");
    EXPECT_EQ(characters(kInteractiveConsoleLine), 16U);
    EXPECT_EQ(kGoogleDoneLine, "cmd /k echo 操作完成！请自行检查！ ");
}

TEST(DeviceCheckBanner, ExactText) {
    const std::string stars(66, '*');
    const std::string edge = "*" + std::string(64, ' ') + "*";
    const std::string expected =
        " && COLOR 3f  && title 设备连接检测结果 && echo   " + stars + " && echo.  " + edge +
        " && echo   *   1.device前显示设备序列号即表示连接成功，软件才可正常使用！   *"
        " && echo   *   2.若连接不到设备，请在帮助界面下载驱动或更换电脑。           *"
        " && echo   *   3.连接问题属于个人设备问题，不接受反馈。                     *"
        " && echo.  " +
        edge + " && echo.  " + stars +
        " && echo.  && echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT";
    EXPECT_EQ(deviceCheckBanner(), expected);
    EXPECT_EQ(characters(deviceCheckBanner()), 563U);
}

TEST(DeviceCheckBanner, EveryCloseGoesToTheNullDevice) {
    for (const std::string& suffix :
         {deviceCheckBanner(), installLiveSuffix("a.apk"), pushLiveSuffix("a.txt"),
          std::string(kInstallResultSuffix), std::string(kPushResultSuffix),
          std::string(kFlashDoneRecoverySuffix), std::string(kFlashDoneSuffix),
          std::string(kClosePromptSuffix)}) {
        EXPECT_NE(suffix.find("pause>nul && EXIT"), std::string::npos) << suffix;
        EXPECT_EQ(suffix.find("pause>null"), std::string::npos) << suffix;
    }
}

struct SuffixCase {
    std::string actual;
    std::string_view expected;
};

TEST(Suffixes, ExactLiterals) {
    const SuffixCase cases[] = {
        {installLiveSuffix("微信.apk"),
         " && COLOR 3f  && title 正在安装：微信.apk && echo. && echo.出现 Success表示安装完成！ && "
         "echo.  && echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT"},
        {std::string(kInstallResultSuffix),
         " && COLOR 3f  && title 安装结果 && echo. && echo.出现 Success表示安装完成！ && echo.  && "
         "echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT"},
        {pushLiveSuffix("a b.zip"),
         " && COLOR 3f  && title 正在传输：a b.zip && echo. && echo.出现 xxxxxx 1 file pushed "
         "表示传输完成！ && echo.  && echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT"},
        {std::string(kPushResultSuffix),
         " && COLOR 3f  && title 传输结果 && echo. && echo.出现 xxxxxx 1 file pushed "
         "表示传输完成！ "
         "&& echo.  && echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT"},
        {std::string(kFlashDoneRecoverySuffix),
         "&& COLOR 3f && echo. && echo 刷入完成！&& echo "
         "手机可能会重启一到两次后自动进入rec，为正常现象！&& echo. && echo 按任意键关闭此窗口... "
         "&& pause>nul && EXIT"},
        {std::string(kFlashDoneSuffix),
         "&& COLOR 3f && echo. && echo 刷入完成！&& echo. && echo 按任意键关闭此窗口... && "
         "pause>nul && EXIT"},
        {std::string(kClosePromptSuffix),
         "&& COLOR 3f && echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT"},
        {std::string(kRegistrySuccessSuffix),
         " && COLOR 3f  && title ★★★ 操作成功 ★★★ && echo. && echo.重启电脑后生效！"},
    };
    for (const SuffixCase& entry : cases) {
        EXPECT_EQ(entry.actual, entry.expected);
    }
}

} // namespace
} // namespace kavu::launch
