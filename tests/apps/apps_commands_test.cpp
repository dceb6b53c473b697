#include "apps/apps_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace kavu::apps {
namespace {

// What a command sends, or the refusal that stops it.
std::string sent(const Command& command) {
    switch (command.refusal()) {
    case Refusal::None:
        return command.text().toStdString();
    case Refusal::PcCharacters:
        return "refused: pc";
    case Refusal::PhoneCharacters:
        return "refused: phone";
    default:
        return "refused: other";
    }
}

// Every command the apps window builds from typed text or a picked file, and how typed text that
// would be read as more than a name or a path is refused.
TEST(AppsCommands, TypedCommandsSendTheirLines) {
    const QString app = QStringLiteral("com.example.app");
    const struct {
        Command command;
        const char* sent;
    } cases[] = {
        {packageCommand(PackageAction::Freeze, app), "adb shell pm disable-user com.example.app"},
        {packageCommand(PackageAction::Unfreeze, app), "adb shell pm enable com.example.app"},
        {packageCommand(PackageAction::ClearData, app), "adb shell pm clear com.example.app"},
        {packageCommand(PackageAction::Uninstall, app), "adb shell pm uninstall com.example.app"},
        {packageCommand(PackageAction::ForceStop, app), "adb shell am force-stop com.example.app"},
        // Two blanks stand between "0" and the package.
        {packageCommand(PackageAction::RemoveForUser0, app),
         "adb shell pm uninstall -k --user 0  com.example.app"},
        {packageCommand(PackageAction::Reinstall, app),
         "adb shell cmd package install-existing com.example.app"},
        // An empty package is sent as it is: the phone's tool says what is missing.
        {packageCommand(PackageAction::Freeze, QString()), "adb shell pm disable-user "},
        {packageCommand(PackageAction::Freeze, QStringLiteral("com.x;reboot")), "refused: phone"},
        {packageCommand(PackageAction::ClearData, QStringLiteral("-k")), "refused: phone"},
        {communityPageCommand(app), "adb shell am start -a android.intent.action.VIEW -d "
                                    "https://f-droid.org/packages/com.example.app -p "
                                    "org.fdroid.fdroid"},
        {communityPageCommand(QStringLiteral("a b")), "refused: phone"},
        {googleCommand(true, u"com.android.vending"),
         "adb shell pm disable-user com.android.vending"},
        {googleCommand(false, u"com.android.vending"), "adb shell pm enable com.android.vending"},
        {installCommand(QStringLiteral("/home/u/File/My App.apk")),
         "adb install \"/home/u/File/My App.apk\""},
        {installCommand(QStringLiteral("/tmp/a\".apk")), "refused: pc"},
        {pushCommand(QStringLiteral("/f/b.zip"), QStringLiteral("A & B")),
         "adb push \"/f/b.zip\"   \"/sdcard/A & B\""},
        {pushCommand(QStringLiteral("/f/b.zip"), QStringLiteral("100%")), "refused: pc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sent(c.command), c.sent);
    }
}

} // namespace
} // namespace kavu::apps
