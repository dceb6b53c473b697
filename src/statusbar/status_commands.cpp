#include "statusbar/status_commands.h"

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
    Command command(u"adb shell settings put secure icon_blacklist rotate,");
    for (std::size_t position = 0; position < kIconCount; ++position) {
        if (hidden[position]) {
            command.fixed(iconToken(static_cast<Icon>(position)));
        }
    }
    return command;
}

Command batteryLevelCommand(const QString& typedLevel) {
    // Only the number read from the text reaches the command.
    return Command(u"adb shell dumpsys battery set level ")
        .number(numericValueOf(typedLevel), 0, kFullBatteryLevel);
}

Command immersiveCommand(Bar bar, const QString& excludedApps) {
    Command command(bar == Bar::Status
                        ? u"adb shell settings put global policy_control immersive.status="
                        : u"adb shell settings put global policy_control immersive.navigation=");
    if (excludedApps.isEmpty()) {
        return command.fixed(u"*");
    }
    return command.fixed(u"apps,-").typed(excludedApps, Splice::PhoneBare);
}

Command quickSettingsCountCommand(const QString& typedCount) {
    return Command(u"adb shell settings put secure sysui_qqs_count ")
        .typed(typedCount, Splice::PhoneBare);
}

Command iconPaddingCommand(const QString& typedPadding) {
    return Command(u"adb shell settings put secure sysui_rounded_content_padding ")
        .typed(typedPadding, Splice::PhoneBare);
}

Command connectivityServerCommand() {
    return Command(u"adb shell \"settings put global captive_portal_https_url ")
        .fixed(kConnectivityCheckUrl)
        .fixed(u"\"");
}

} // namespace kavu::statusbar
