#pragma once

#include <string>
#include <string_view>

#ifdef QT_CORE_LIB
#include <QString>
#endif

// Command texts that more than one test pins, each spelled once. They are UTF-8, as the
// program's own literals; the Qt suites read the same texts as QString below.
namespace kavu::test::utf8 {

inline constexpr std::string_view kHiddenPrefix = "cmd /c ";
inline constexpr std::string_view kConsolePrefix = "cmd /k ";

// What the window tests leave in the command box before they act, to see whether it changes.
inline constexpr std::string_view kEarlierCommand = "adb shell echo earlier";

// The console that closes a Google freeze or restore run.
inline constexpr std::string_view kGoogleDoneLine = "cmd /k echo 操作完成！请自行检查！ ";

// What follows an install or a push: a console that stays open with the result, or the lines a
// hidden run ends with.
inline constexpr std::string_view kInstallLiveTitle = " && COLOR 3f  && title 正在安装：";
inline constexpr std::string_view kInstallTail =
    " && echo. && echo.出现 Success表示安装完成！ && echo.  && echo. && echo 按任意键关闭此窗口... "
    "&& pause>nul && EXIT";
inline constexpr std::string_view kInstallResultTitle = " && COLOR 3f  && title 安装结果";
inline constexpr std::string_view kPushLiveTitle = " && COLOR 3f  && title 正在传输：";
inline constexpr std::string_view kPushTail =
    " && echo. && echo.出现 xxxxxx 1 file pushed 表示传输完成！ && echo.  && echo. && echo "
    "按任意键关闭此窗口... && pause>nul && EXIT";
inline constexpr std::string_view kPushResultTitle = " && COLOR 3f  && title 传输结果";

inline std::string installLive(std::string_view name) {
    return std::string(kInstallLiveTitle).append(name).append(kInstallTail);
}
inline std::string installResult() {
    return std::string(kInstallResultTitle).append(kInstallTail);
}
inline std::string pushLive(std::string_view name) {
    return std::string(kPushLiveTitle).append(name).append(kPushTail);
}
inline std::string pushResult() {
    return std::string(kPushResultTitle).append(kPushTail);
}

// What follows "adb devices" in the console the main window opens at start-up: 563 characters.
inline std::string deviceCheckBanner() {
    const std::string stars(66, '*');
    const std::string edge = "*" + std::string(64, ' ') + "*";
    return " && COLOR 3f  && title 设备连接检测结果 && echo   " + stars + " && echo.  " + edge +
           " && echo   *   1.device前显示设备序列号即表示连接成功，软件才可正常使用！   *"
           " && echo   *   2.若连接不到设备，请在帮助界面下载驱动或更换电脑。           *"
           " && echo   *   3.连接问题属于个人设备问题，不接受反馈。                     *"
           " && echo.  " +
           edge + " && echo.  " + stars +
           " && echo.  && echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT";
}

} // namespace kavu::test::utf8

#ifdef QT_CORE_LIB
namespace kavu::test {

inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline const QString kHiddenPrefix = fromUtf8(utf8::kHiddenPrefix);
inline const QString kConsolePrefix = fromUtf8(utf8::kConsolePrefix);
inline const QString kEarlierCommand = fromUtf8(utf8::kEarlierCommand);
inline const QString kGoogleDoneLine = fromUtf8(utf8::kGoogleDoneLine);

inline QString installLive(const QString& name) {
    return fromUtf8(utf8::installLive(name.toStdString()));
}
inline QString installResult() {
    return fromUtf8(utf8::installResult());
}
inline QString pushLive(const QString& name) {
    return fromUtf8(utf8::pushLive(name.toStdString()));
}
inline QString pushResult() {
    return fromUtf8(utf8::pushResult());
}
inline QString deviceCheckBanner() {
    return fromUtf8(utf8::deviceCheckBanner());
}

} // namespace kavu::test
#endif
