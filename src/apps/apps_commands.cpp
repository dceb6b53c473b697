#include "apps/apps_commands.h"

#include "app/addresses.h"
#include "core/launch.h"
#include "platform/shown_text.h"

namespace kavu::apps {

namespace {

constexpr QStringView kFreeze = u"adb shell pm disable-user ";
constexpr QStringView kUnfreeze = u"adb shell pm enable ";

Command titledSuffix(const launch::TitledSuffix& suffix, const QString& fileName) {
    // The name stands bare in the console title.
    return Command(shownConsoleText(suffix.head))
        .typed(fileName, Splice::PcBare)
        .fixed(shownConsoleText(suffix.tail));
}

QStringView packageLead(PackageAction action) {
    switch (action) {
    case PackageAction::Freeze:
        return kFreeze;
    case PackageAction::Unfreeze:
        return kUnfreeze;
    case PackageAction::ClearData:
        return u"adb shell pm clear ";
    case PackageAction::Uninstall:
        return u"adb shell pm uninstall ";
    case PackageAction::ForceStop:
        return u"adb shell am force-stop ";
    case PackageAction::RemoveForUser0:
        // Two blanks stand between "0" and the package name.
        return u"adb shell pm uninstall -k --user 0  ";
    }
    return {};
}

} // namespace

Command installCommand(const QString& path) {
    return Command(u"adb install \"").typed(path, Splice::PcQuoted).fixed(u"\"");
}

Command installSuffix(Shown shown, const QString& fileName) {
    return shown == Shown::Live ? titledSuffix(launch::kInstallLive, fileName)
                                : Command(shownConsoleText(launch::kInstallResultSuffix));
}

Command pushCommand(const QString& path, const QString& destination) {
    return Command(u"adb push \"")
        .typed(path, Splice::PcQuoted)
        .fixed(u"\"   \"/sdcard/")
        .typed(destination, Splice::PcQuoted)
        .fixed(u"\"");
}

Command pushSuffix(Shown shown, const QString& fileName) {
    return shown == Shown::Live ? titledSuffix(launch::kPushLive, fileName)
                                : Command(shownConsoleText(launch::kPushResultSuffix));
}

Command packageCommand(PackageAction action, const QString& package) {
    return Command(packageLead(action)).typed(package, Splice::PhoneName);
}

Command communityPageCommand(const QString& package) {
    return Command(u"adb shell am start -a android.intent.action.VIEW -d ")
        .fixed(addresses::kCommunityPackagePages)
        .typed(package, Splice::PhoneName)
        .fixed(u" -p ")
        .fixed(addresses::kCommunityAppPackage);
}

Command googleCommand(bool freeze, QStringView package) {
    return Command(freeze ? kFreeze : kUnfreeze).fixed(package);
}

} // namespace kavu::apps
