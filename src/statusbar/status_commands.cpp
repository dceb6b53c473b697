#include "statusbar/status_commands.h"

#include "core/numeric.h"
#include "shell/qt_text.h"

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

QString iconBlacklistCommand(const HiddenIcons& hidden) {
    QString command = QStringLiteral("adb shell settings put secure icon_blacklist rotate,");
    for (std::size_t position = 0; position < kIconCount; ++position) {
        if (hidden[position]) {
            command += iconToken(static_cast<Icon>(position));
        }
    }
    return command;
}

QString batteryLevelCommand(const QString& typedLevel) {
    return QStringLiteral("adb shell dumpsys battery set level ") +
           decimalTextOf(numericValueOf(typedLevel));
}

QString immersiveCommand(Bar bar, const QString& excludedApps) {
    const QString prefix =
        bar == Bar::Status
            ? QStringLiteral("adb shell settings put global policy_control immersive.status=")
            : QStringLiteral("adb shell settings put global policy_control immersive.navigation=");
    if (excludedApps.isEmpty()) {
        return prefix + QStringLiteral("*");
    }
    return prefix + QStringLiteral("apps,-") + excludedApps;
}

QString connectivityServerCommand() {
    return QStringLiteral("adb shell \"settings put global captive_portal_https_url ") +
           qtText(kConnectivityCheckUrl) + QStringLiteral("\"");
}

} // namespace kavu::statusbar
