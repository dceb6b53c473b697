#pragma once

#include "app/change.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>
#include <string_view>

namespace kavu::journal {

// A window-manager value ("wm density", "wm size"): the display's own and the one set over it.
struct WmValue {
    QString physical;
    std::optional<QString> override;

    bool operator==(const WmValue&) const = default;
};

// What a device held, as far as it was read, of what the program can change. A value not read
// (or whose read failed) is absent: unknown.
struct DeviceSnapshot {
    // "namespace/key" -> the value, or none when the key has no value ("null").
    QHash<QString, std::optional<QString>> settings;
    std::optional<WmValue> density;
    std::optional<WmValue> size;
    // Each package's state for user 0, once the lists were read: a package not in it is not on
    // the phone, or its state is not known (a disabled one whose kind could not be read).
    std::optional<QHash<QString, PackageState>> packages;

    bool operator==(const DeviceSnapshot&) const = default;
};

// What "settings get" printed: the value, or none for "null".
std::optional<QString> settingValue(std::string_view output);
// What "wm density" or "wm size" printed ("Physical density: 440", "Override density: 400"); none
// when there is no physical value in it.
std::optional<WmValue> wmValue(std::string_view output);
// The packages "pm list packages" printed ("package:NAME" lines); a name that is not a package
// name is left out.
QSet<QString> listedPackages(std::string_view output);
// A package's state for user 0 from what "dumpsys package NAME" printed: its "User 0:" line's
// installed= and enabled= values. None when there is no such line.
std::optional<PackageState> packageStateOf(std::string_view output);

} // namespace kavu::journal
