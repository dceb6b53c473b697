#include "core/launch.h"

#include "support/literals.h"

#include <gtest/gtest.h>

#include <string>

namespace kavu::launch {
namespace {

namespace pinned = kavu::test::utf8;

// Counts characters, not bytes: the literals are UTF-8.
std::size_t characters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

TEST(LaunchForms, PrefixesAndModes) {
    EXPECT_EQ(kHidden.prefix, pinned::kHiddenPrefix);
    EXPECT_EQ(kHidden.mode, WindowMode::Hidden);
    EXPECT_EQ(kConsole.prefix, pinned::kConsolePrefix);
    EXPECT_EQ(kConsole.mode, WindowMode::Normal);
    EXPECT_EQ(kConsoleMinimized.prefix, pinned::kConsolePrefix);
    EXPECT_EQ(kConsoleMinimized.mode, WindowMode::Minimized);
    EXPECT_EQ(kConsoleTwoSpaces.prefix, "cmd /k  ");
    EXPECT_EQ(kConsoleTwoSpaces.mode, WindowMode::Normal);
}

TEST(FixedLines, InteractiveConsoleAndGoogleNotice) {
    EXPECT_EQ(kInteractiveConsoleLine, "cmd /k \"COLOR 3f");
    EXPECT_EQ(characters(kInteractiveConsoleLine), 16U);
    EXPECT_EQ(kGoogleDoneLine, pinned::kGoogleDoneLine);
}

TEST(DeviceCheckBanner, ExactText) {
    EXPECT_EQ(deviceCheckBanner(), pinned::deviceCheckBanner());
    EXPECT_EQ(characters(deviceCheckBanner()), 563U);
}

TEST(DeviceCheckBanner, EveryCloseGoesToTheNullDevice) {
    for (const std::string& suffix :
         {deviceCheckBanner(), std::string(kInstallLive.tail), std::string(kPushLive.tail),
          std::string(kInstallResultSuffix), std::string(kPushResultSuffix),
          std::string(kFlashDoneRecoverySuffix), std::string(kFlashDoneSuffix),
          std::string(kClosePromptSuffix)}) {
        EXPECT_NE(suffix.find("pause>nul && EXIT"), std::string::npos) << suffix;
        EXPECT_EQ(suffix.find("pause>null"), std::string::npos) << suffix;
    }
}

struct SuffixCase {
    std::string actual;
    std::string expected;
};

TEST(Suffixes, ExactLiterals) {
    const SuffixCase cases[] = {
        {std::string(kInstallResultSuffix), pinned::installResult()},
        {std::string(kPushResultSuffix), pinned::pushResult()},
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
