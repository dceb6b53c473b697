#pragma once

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
    // Installed packages, disabled and enabled, once both lists were read.
    std::optional<QSet<QString>> disabledPackages;
    std::optional<QSet<QString>> enabledPackages;

    bool operator==(const DeviceSnapshot&) const = default;
};

// The settings the program changes, as (namespace, key): the snapshot reads each.
struct SettingKey {
    std::string_view space;
    std::string_view key;
};
inline constexpr SettingKey kSnapshotSettings[] = {
    {"secure", "icon_blacklist"},
    {"secure", "clock_seconds"},
    {"global", "policy_control"},
    {"secure", "sysui_qqs_count"},
    {"secure", "sysui_rounded_content_padding"},
    {"global", "captive_portal_https_url"},
    {"global", "captive_portal_detection_enabled"},
    {"global", "window_animation_scale"},
    {"global", "transition_animation_scale"},
    {"global", "animator_duration_scale"},
    {"system", "font_scale"},
};

// What "settings get" printed: the value, or none for "null".
std::optional<QString> settingValue(std::string_view output);
// What "wm density" or "wm size" printed ("Physical density: 440", "Override density: 400"); none
// when there is no physical value in it.
std::optional<WmValue> wmValue(std::string_view output);
// The packages "pm list packages" printed ("package:NAME" lines).
QSet<QString> listedPackages(std::string_view output);

} // namespace kavu::journal
