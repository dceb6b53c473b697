#pragma once

#include "app/command.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>

// The command lines of the apps window: install and push from the File folder, the actions on a
// typed package name, and the twelve Google packages.
namespace kavu::apps {

// How an install or a push is shown: live in a console, or hidden with the result console.
enum class Shown { Live, Hidden };

// "adb install" with the picked file's path in double quotes.
Command installCommand(const QString& path);
// The decoration after an install; a live one names the file in the console title.
Command installSuffix(Shown shown, const QString& fileName);

// "adb push" with both ends in double quotes, so that a blank in either reaches adb inside one
// argument; the destination is typed below /sdcard/.
Command pushCommand(const QString& path, const QString& destination);
Command pushSuffix(Shown shown, const QString& fileName);

// What the package buttons do to the typed package, and the package list to its selection
// (Reinstall: a package removed for user 0 installed for it again). The package is a name: text
// that the phone's shell or the command would read as more (a second command, an option) is
// refused.
enum class PackageAction {
    Freeze,
    Unfreeze,
    ClearData,
    Uninstall,
    ForceStop,
    RemoveForUser0,
    Reinstall
};
Command packageCommand(PackageAction action, const QString& package);

// Opens the typed package's page of the community catalogue in the community app on the phone.
Command communityPageCommand(const QString& package);

// The lines of the focused window's dump that name the current activity; findstr runs on the PC,
// on the output of adb.
inline constexpr FixedCommand kCurrentActivity{
    u"adb shell dumpsys window windows | findstr \"Current\"", launch::kConsole, {}};
// The three settings tables, each in a console titled with its table's name.
inline constexpr std::array<FixedCommand, 3> kSettingsTables{{
    {u"adb shell settings list global && title GLOBAL", launch::kConsole, {}},
    {u"adb shell settings list secure && title SECURE", launch::kConsole, {}},
    {u"adb shell settings list system && title SYSTEM", launch::kConsole, {}},
}};

// The Google packages in the order both runs go through them.
inline constexpr std::size_t kGooglePackageCount = 12;
inline constexpr std::array<QStringView, kGooglePackageCount> kGooglePackages{
    u"com.google.android.gsf",
    u"com.android.vending",
    u"com.google.android.backuptransport",
    u"com.google.android.gms",
    u"com.google.android.googlequicksearchbox",
    u"com.google.android.apps.tachyon",
    u"com.google.android.videos",
    u"com.google.android.apps.maps",
    u"com.google.android.apps.photos",
    u"com.google.android.apps.docs",
    u"com.google.android.gm",
    u"com.google.android.music",
};
Command googleCommand(bool freeze, QStringView package);

// Every command of the window that changes a package, on a sample package: the tests take each
// through its undo.
QList<Command> changingCommands();

} // namespace kavu::apps
