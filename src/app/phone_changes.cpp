#include "app/phone_changes.h"

#include "core/typed_text.h"

namespace kavu {

namespace {

// A value as one word of a phone command: bare when the phone's shell takes it as it is, quoted
// when it passes only the rule for quoted text (which then refuses the command when it fails).
Command& appendValue(Command& command, const QString& value) {
    const bool bare =
        !value.isEmpty() && checkSplice(value.toStdString(), Splice::PhoneBare) == Refusal::None;
    return command.typed(value, bare ? Splice::PhoneBare : Splice::PhoneQuoted);
}

Command wmCommandFor(QStringView name, const std::optional<QString>& value) {
    Command command(u"adb shell wm ");
    command.fixed(name).fixed(u" ");
    return value ? appendValue(command, *value) : command.fixed(u"reset");
}

Command packageCommand(const Change& change) {
    Command command;
    if (change.reinstall) {
        command.fixed(u"adb shell cmd package install-existing ")
            .typed(change.key, Splice::PhoneName);
        if (change.state == PackageState::Enabled) {
            return command;
        }
        command.fixed(u" && ");
    }
    switch (change.state) {
    case PackageState::Enabled:
        command.fixed(u"adb shell pm enable ");
        break;
    case PackageState::DisabledUser:
    case PackageState::Disabled: // adb's shell can only disable for the user
        command.fixed(u"adb shell pm disable-user ");
        break;
    case PackageState::NotInstalled:
        // Two blanks stand between "0" and the package name.
        command.fixed(u"adb shell pm uninstall -k --user 0  ");
        break;
    case PackageState::Removed:
        command.fixed(u"adb shell pm uninstall ");
        break;
    }
    return command.typed(change.key, Splice::PhoneName);
}

} // namespace

Command settingCommand(QStringView space, QStringView key, const Command& value) {
    return Command(u"adb shell settings put ")
        .fixed(space)
        .fixed(u" ")
        .fixed(key)
        .fixed(u" ")
        .append(value)
        .changing(Change::setting(space.toString(), key.toString(), value.text()));
}

Command wmCommand(QStringView name, const Command& value) {
    Change change = name == u"density" ? Change::density(value.text())
                    : name == u"size"  ? Change::size(value.text())
                                       : Change::overscan(value.text());
    return Command(u"adb shell wm ").fixed(name).fixed(u" ").append(value).changing(change);
}

Command commandFor(const Change& change) {
    Command command;
    switch (change.kind) {
    case Change::Kind::None:
        break;
    case Change::Kind::Setting:
        if (change.value) {
            command.fixed(u"adb shell settings put ")
                .typed(change.space, Splice::PhoneName)
                .fixed(u" ")
                .typed(change.key, Splice::PhoneName)
                .fixed(u" ");
            appendValue(command, *change.value);
        } else {
            command.fixed(u"adb shell settings delete ")
                .typed(change.space, Splice::PhoneName)
                .fixed(u" ")
                .typed(change.key, Splice::PhoneName);
        }
        break;
    case Change::Kind::Density:
        command = wmCommandFor(u"density", change.value);
        break;
    case Change::Kind::Size:
        command = wmCommandFor(u"size", change.value);
        break;
    case Change::Kind::Overscan:
        command = wmCommandFor(u"overscan", change.value);
        break;
    case Change::Kind::Battery:
        command.fixed(u"adb shell dumpsys battery reset");
        break;
    case Change::Kind::Package:
        command = packageCommand(change);
        break;
    }
    return command.changing(change);
}

} // namespace kavu
