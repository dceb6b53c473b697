#include "statusbar/status_commands.h"

#include "app/phone_changes.h"
#include "app/qt_text.h"
#include "core/numeric.h"

namespace kavu::statusbar {

QString iconToken(Icon icon) {
    switch (icon) {
    case Icon::Volume:
        return QStringLiteral("volume,");
    case Icon::Battery:
        return QStringLiteral("battery,");
    case Icon::Clock:
        return QStringLiteral("clock,");
    case Icon::Mobile:
        return QStringLiteral("mobile,");
    case Icon::Wifi:
        return QStringLiteral("wifi,");
    case Icon::AlarmClock:
        return QStringLiteral("alarm_clock,");
    case Icon::Headset:
        return QStringLiteral("headset,");
    case Icon::Airplane:
        return QStringLiteral("airplane,");
    case Icon::Bluetooth:
        return QStringLiteral("bluetooth,");
    case Icon::Location:
        return QStringLiteral("location,");
    case Icon::Cast:
        return QStringLiteral("cast,");
    }
    return {};
}

Command iconBlacklistCommand(const HiddenIcons& hidden) {
    Command value(u"rotate,");
    for (std::size_t position = 0; position < kIconCount; ++position) {
        if (hidden[position]) {
            value.fixed(iconToken(static_cast<Icon>(position)));
        }
    }
    return settingCommand(u"secure", u"icon_blacklist", value);
}

Command batteryLevelCommand(const QString& typedLevel) {
    // Only the number read from the text reaches the command.
    Command level;
    level.number(numericValueOf(typedLevel), 0, kFullBatteryLevel);
    return Command(u"adb shell dumpsys battery set level ")
        .append(level)
        .changing(Change::battery(QStringLiteral("level ") + level.text()));
}

Command immersiveCommand(Bar bar, const QString& excludedApps) {
    Command value(bar == Bar::Status ? u"immersive.status=" : u"immersive.navigation=");
    if (excludedApps.isEmpty()) {
        value.fixed(u"*");
    } else {
        value.fixed(u"apps,-").typed(excludedApps, Splice::PhoneBare);
    }
    return settingCommand(u"global", u"policy_control", value);
}

Command quickSettingsCountCommand(const QString& typedCount) {
    return settingCommand(u"secure", u"sysui_qqs_count",
                          Command().typed(typedCount, Splice::PhoneBare));
}

Command iconPaddingCommand(const QString& typedPadding) {
    return settingCommand(u"secure", u"sysui_rounded_content_padding",
                          Command().typed(typedPadding, Splice::PhoneBare));
}

Command connectivityServerCommand() {
    // The phone's shell gets the line in double quotes.
    return Command(u"adb shell \"settings put global captive_portal_https_url ")
        .fixed(kConnectivityCheckUrl)
        .fixed(u"\"")
        .changing(Change::setting(QStringLiteral("global"),
                                  QStringLiteral("captive_portal_https_url"),
                                  qtText(kConnectivityCheckUrl)));
}

QList<Command> changingCommands() {
    QList<Command> commands;
    for (const FixedCommand* fixed :
         {&kClockSecondsOn, &kClockSecondsOff, &kShowNotCharging, &kShowAcCharging,
          &kShowUsbCharging, &kShowWirelessCharging, &kBatteryReset, &kImmersiveOff,
          &kIconPaddingDefault, &kConnectivityCheckOn, &kConnectivityCheckOff}) {
        commands.append(commandOf(*fixed));
    }
    HiddenIcons hidden{};
    hidden[static_cast<std::size_t>(Icon::Battery)] = true;
    commands << iconBlacklistCommand(hidden) << batteryLevelCommand(QStringLiteral("50"))
             << immersiveCommand(Bar::Status, QString())
             << immersiveCommand(Bar::Navigation, QStringLiteral("com.example.reader"))
             << quickSettingsCountCommand(QStringLiteral("6"))
             << iconPaddingCommand(QStringLiteral("12")) << connectivityServerCommand();
    return commands;
}

} // namespace kavu::statusbar
