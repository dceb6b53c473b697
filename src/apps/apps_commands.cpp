#include "apps/apps_commands.h"

#include "app/addresses.h"
#include "app/phone_changes.h"
#include "core/launch.h"
#include "platform/shown_text.h"

namespace kavu::apps {

namespace {

Command titledSuffix(const launch::TitledSuffix& suffix, const QString& fileName) {
    // The name stands bare in the console title.
    return Command(shownConsoleText(suffix.head))
        .typed(fileName, Splice::PcBare)
        .fixed(shownConsoleText(suffix.tail));
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
    switch (action) {
    case PackageAction::Freeze:
        return commandFor(Change::package(package, PackageState::DisabledUser));
    case PackageAction::Unfreeze:
        return commandFor(Change::package(package, PackageState::Enabled));
    case PackageAction::Uninstall:
        return commandFor(Change::package(package, PackageState::Removed));
    case PackageAction::RemoveForUser0:
        return commandFor(Change::package(package, PackageState::NotInstalled));
    case PackageAction::Reinstall:
        return commandFor(Change::package(package, PackageState::Enabled, true));
    case PackageAction::ClearData:
        // The data is gone: nothing takes it back.
        return Command(u"adb shell pm clear ").typed(package, Splice::PhoneName);
    case PackageAction::ForceStop:
        return Command(u"adb shell am force-stop ").typed(package, Splice::PhoneName);
    }
    return {};
}

Command communityPageCommand(const QString& package) {
    return Command(u"adb shell am start -a android.intent.action.VIEW -d ")
        .fixed(addresses::kCommunityPackagePages)
        .typed(package, Splice::PhoneName)
        .fixed(u" -p ")
        .fixed(addresses::kCommunityAppPackage);
}

Command googleCommand(bool freeze, QStringView package) {
    return commandFor(Change::package(package.toString(),
                                      freeze ? PackageState::DisabledUser : PackageState::Enabled));
}

QList<Command> changingCommands() {
    const QString sample = QStringLiteral("com.example.notes");
    QList<Command> commands;
    for (const PackageAction action :
         {PackageAction::Freeze, PackageAction::Unfreeze, PackageAction::RemoveForUser0,
          PackageAction::Uninstall, PackageAction::Reinstall}) {
        commands.append(packageCommand(action, sample));
    }
    commands << googleCommand(true, kGooglePackages[0]) << googleCommand(false, kGooglePackages[0]);
    return commands;
}

} // namespace kavu::apps
