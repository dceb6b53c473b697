#include "journal/reversal.h"

#include "app/phone_changes.h"
#include "core/typed_text.h"

#include <QCoreApplication>

namespace kavu::journal {

namespace {

using State = Reversal::State;

// The phone command a change runs, as the journal shows it: without "adb shell ".
QString shownCommand(const Command& command) {
    QString text = command.text();
    text.replace(QStringLiteral("adb shell "), QString());
    return text;
}

// Taken back by the change undo, restoring what restores names; when its command would be
// refused, the old value is as good as unknown.
Reversal reversible(const Change& undo, const QString& restores) {
    const Command command = commandFor(undo);
    if (command.refusal() != Refusal::None) {
        return {State::OldValueUnknown, std::nullopt, {}, {}};
    }
    return {State::Reversible, undo, shownCommand(command), restores};
}
Reversal irreversible() {
    return {State::Irreversible, std::nullopt, {}, {}};
}
Reversal unchanged() {
    return {State::Unchanged, std::nullopt, {}, {}};
}
// The old value is not known; reset, when given, takes the change back to the default.
Reversal unknownOldValue(const std::optional<Change>& reset = std::nullopt) {
    if (!reset) {
        return {State::OldValueUnknown, std::nullopt, {}, {}};
    }
    return {State::OldValueUnknown, reset, shownCommand(commandFor(*reset)),
            QString::fromUtf8(kRestoresDefault)};
}

Reversal settingReversal(const Change& change, const DeviceSnapshot& before) {
    const auto known = before.settings.constFind(change.settingId());
    if (known == before.settings.cend()) {
        return unknownOldValue();
    }
    const std::optional<QString>& old = *known;
    if (old == change.value) {
        return unchanged();
    }
    return reversible(Change::setting(change.space, change.key, old),
                      old ? *old : QString::fromUtf8(kRestoresNoValue));
}

Reversal packageReversal(const Change& change, const DeviceSnapshot& before) {
    if (!before.packages) {
        return unknownOldValue();
    }
    const auto known = before.packages->constFind(change.key);
    if (known == before.packages->cend()) {
        return unknownOldValue(); // not on the phone, or a state that could not be read
    }
    const PackageState was = *known;
    if (was == change.state) {
        return unchanged();
    }
    if (change.state == PackageState::Removed) {
        return irreversible(); // gone with its data
    }
    const bool reinstall = change.state == PackageState::NotInstalled;
    switch (was) {
    case PackageState::Enabled:
        return reversible(Change::package(change.key, PackageState::Enabled, reinstall),
                          QString::fromUtf8(reinstall ? kRestoresInstalled : kRestoresEnabled));
    case PackageState::DisabledUser:
        return reversible(Change::package(change.key, PackageState::DisabledUser, reinstall),
                          QString::fromUtf8(reinstall ? kRestoresDisabledUser : kRestoresDisabled));
    case PackageState::Disabled:
        // Disabled by the system: adb's shell cannot disable it so again.
        return irreversible();
    case PackageState::NotInstalled:
        // Installed again for the user: removed for the user again takes it back. Enabling or
        // freezing a package the user does not have fails and changes nothing.
        return change.reinstall
                   ? reversible(Change::package(change.key, PackageState::NotInstalled),
                                QString::fromUtf8(kRestoresNotInstalled))
                   : unchanged();
    case PackageState::Removed:
        return unchanged();
    }
    return unknownOldValue();
}

// "wm density" or "wm size" set to the change's value, or reset.
Reversal wmReversal(const Change& change, const std::optional<WmValue>& before) {
    Change reset = change;
    reset.value.reset();
    if (!before) {
        return change.value ? unknownOldValue(reset) : unknownOldValue();
    }
    if (before->override == change.value) {
        return unchanged();
    }
    if (!before->override) {
        return reversible(reset, before->physical.isEmpty()
                                     ? QString::fromUtf8(kRestoresDefault)
                                     : QString::fromUtf8(kRestoresDefaultOf).arg(before->physical));
    }
    Change back = change;
    back.value = before->override;
    const Reversal exact = reversible(back, *before->override);
    return exact.state == State::Reversible ? exact : unknownOldValue(reset);
}

} // namespace

Reversal reversalOf(const Change& change, const DeviceSnapshot& before) {
    switch (change.kind) {
    case Change::Kind::None:
        return irreversible();
    case Change::Kind::Setting:
        return settingReversal(change, before);
    case Change::Kind::Package:
        return packageReversal(change, before);
    case Change::Kind::Density:
        return wmReversal(change, before.density);
    case Change::Kind::Size:
        return wmReversal(change, before.size);
    case Change::Kind::Overscan:
        // The window manager cannot tell its insets: only a reset takes them back.
        return change.value ? unknownOldValue(Change::overscan(std::nullopt)) : unknownOldValue();
    case Change::Kind::Battery:
        return change.value
                   ? reversible(Change::battery(std::nullopt), QString::fromUtf8(kRestoresBattery))
                   : irreversible();
    }
    return irreversible();
}

void applyChange(const Change& change, DeviceSnapshot& snapshot) {
    switch (change.kind) {
    case Change::Kind::Setting:
        snapshot.settings.insert(change.settingId(), change.value);
        break;
    case Change::Kind::Package:
        if (snapshot.packages) {
            if (change.state == PackageState::Removed) {
                snapshot.packages->remove(change.key);
            } else {
                snapshot.packages->insert(change.key, change.state);
            }
        }
        break;
    case Change::Kind::Density:
    case Change::Kind::Size: {
        std::optional<WmValue>& value =
            change.kind == Change::Kind::Density ? snapshot.density : snapshot.size;
        if (value) {
            value->override = change.value;
        }
        break;
    }
    case Change::Kind::None:
    case Change::Kind::Overscan:
    case Change::Kind::Battery:
        break;
    }
}

std::optional<Command> reversingCommand(const Reversal& reversal) {
    if (!reversal.undo) {
        return std::nullopt;
    }
    Command command = commandFor(*reversal.undo);
    if (command.refusal() != Refusal::None) {
        return std::nullopt;
    }
    return command;
}

QString shownRestores(const QString& kept) {
    for (const char* word :
         {kRestoresDefault, kRestoresNoValue, kRestoresEnabled, kRestoresDisabled,
          kRestoresInstalled, kRestoresDisabledUser, kRestoresNotInstalled, kRestoresBattery}) {
        if (kept == QString::fromUtf8(word)) {
            return QCoreApplication::translate("kavu::journal", word);
        }
    }
    // "默认（PHYSICAL）": the physical value stays as the phone printed it.
    const QString defaultOf = QString::fromUtf8(kRestoresDefaultOf);
    const QString head = defaultOf.section(QStringLiteral("%1"), 0, 0);
    const QString tail = defaultOf.section(QStringLiteral("%1"), 1, 1);
    if (kept.startsWith(head) && kept.endsWith(tail) && kept.size() > head.size() + tail.size()) {
        return QCoreApplication::translate("kavu::journal", kRestoresDefaultOf)
            .arg(kept.mid(head.size(), kept.size() - head.size() - tail.size()));
    }
    return kept;
}

} // namespace kavu::journal
