#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace kavu {

// A package's state for the phone's user 0, as a change leaves it or as the phone reports it.
enum class PackageState {
    Enabled,
    // Disabled by the user ("pm disable-user"), as a freeze leaves it.
    DisabledUser,
    // Disabled by the system or by a tool with more rights than adb's shell: adb cannot set it so
    // again.
    Disabled,
    // Removed for user 0 and kept on the phone ("pm uninstall -k --user 0").
    NotInstalled,
    // Uninstalled from the phone with its data.
    Removed,
};

// What a command changes on the phone, declared beside the command in its module. The journal
// works out from it how to take the change back, and reads back only what it names; a command that
// declares nothing changes nothing the journal can take back.
struct Change {
    enum class Kind { None, Setting, Density, Size, Overscan, Battery, Package };

    Kind kind = Kind::None;
    // Setting: its namespace ("secure", "global", "system").
    QString space;
    // Setting: its key. Package: the package's name.
    QString key;
    // Setting: the value written, none when the key is deleted. Density, Size, Overscan: the value
    // set, none for a reset. Battery: what the simulation sets ("level 50"), none when it ends.
    std::optional<QString> value;
    // Package: the state the package is left in.
    PackageState state = PackageState::Enabled;
    // Package: it is installed again for the user ("install-existing") before its state is set.
    bool reinstall = false;

    static Change setting(QString space, QString key, std::optional<QString> value);
    static Change density(std::optional<QString> value);
    static Change size(std::optional<QString> value);
    static Change overscan(std::optional<QString> value);
    static Change battery(std::optional<QString> value);
    static Change package(QString name, PackageState state, bool reinstall = false);

    // "space/key" of a setting: how the snapshot keeps it.
    QString settingId() const { return space + u'/' + key; }

    bool operator==(const Change&) const = default;
};

// The change of a fixed command, declared beside its literal.
struct FixedChange {
    Change::Kind kind = Change::Kind::None;
    QStringView space;
    QStringView key;
    std::optional<QStringView> value;

    // A setting written; deleted when the value is none.
    static constexpr FixedChange setting(QStringView space, QStringView key,
                                         std::optional<QStringView> value) {
        return {Change::Kind::Setting, space, key, value};
    }
    // A window-manager value (Density, Size or Overscan) set, or reset when none.
    static constexpr FixedChange wm(Change::Kind kind, std::optional<QStringView> value) {
        return {kind, {}, {}, value};
    }
    // The battery simulation set, or ended when none.
    static constexpr FixedChange battery(std::optional<QStringView> value) {
        return {Change::Kind::Battery, {}, {}, value};
    }

    Change change() const;
};

} // namespace kavu
