#pragma once

#include "core/launch.h"
#include "devices/adb_protocol.h"
#include "platform/services.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kavu {

// The phones the lines of one click go to, fixed at the click: none (no phone chosen), one phone
// by its serial, every phone that was ready at the click ("全部设备"), or the phones the user
// picked, each named; and the adb server they are reached through. A value: whoever holds one
// holds the same phones later.
struct Target {
    enum class Kind { None, One, Every, Chosen };

    Kind kind = Kind::None;
    // The phones adb lines go to. One: the chosen phone. Every: each phone ready at the click, in
    // the list's order. Chosen: the picked phones that were not in fastboot mode at the click.
    QStringList serials;
    // The phones fastboot lines go to, for Every and Chosen: those in fastboot mode at the click
    // (all of them, or the picked ones). One: unused, the chosen phone takes both kinds of line.
    QStringList fastbootSerials;
    // As StartEnvironment::serverSocket: none leaves ADB_SERVER_SOCKET as the program found it.
    std::optional<QString> serverSocket;

    static Target none(std::optional<QString> serverSocket = std::nullopt);
    static Target one(QString serial, std::optional<QString> serverSocket = std::nullopt);
    static Target every(QStringList serials, std::optional<QString> serverSocket = std::nullopt);

    // Whether the click's lines about a phone may go to more than one: they then run as a batch.
    bool isSeveral() const { return kind == Kind::Every || kind == Kind::Chosen; }
    // The phones a line through this tool goes to, for Every and Chosen.
    const QStringList& phonesFor(launch::Tool tool) const {
        return tool == launch::Tool::Fastboot ? fastbootSerials : serials;
    }

    bool operator==(const Target&) const = default;
};

// What the device row has chosen, and what is listed at the click.
struct ChoiceNow {
    Target::Kind kind = Target::Kind::None;
    // One: the chosen phone.
    std::optional<QString> serial;
    // Chosen: the picked phones, in the order picked.
    QStringList chosen;
    // What the adb server lists, and the phones fastboot lists (in fastboot mode).
    std::vector<adb::ListedDevice> listed;
    QStringList fastboot;
};

// The target of a click for the device row's choice over the phones listed now: "全部设备" names
// the phones ready at this moment, picked phones go to fastboot lines while fastboot lists them and
// to adb lines otherwise.
Target targetOf(const ChoiceNow& choice, const std::optional<QString>& serverSocket);

// How one line of a click starts for its target. A line about a phone starts once per phone (with
// several phones, each console's title names its phone), or once with no phone named when none is
// chosen; a line about the computer starts once, naming the phone only when one is chosen.
std::vector<StartEnvironment> startsOf(const Target& target, launch::Reach reach,
                                       launch::Tool tool = launch::Tool::Adb);

// Whether the phone is listed and ready now for a line through this tool: a phone of a batch that
// is not when its turn comes is skipped.
bool isReadyNow(const QString& serial, const std::vector<adb::ListedDevice>& listed);
bool isReadyNow(const QString& serial, launch::Tool tool,
                const std::vector<adb::ListedDevice>& listed, const QStringList& fastboot);

} // namespace kavu
