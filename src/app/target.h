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
// by its serial, or every phone that was ready at the click ("全部设备"), each named; and the adb
// server they are reached through. A value: whoever holds one holds the same phones later.
struct Target {
    enum class Kind { None, One, Every };

    Kind kind = Kind::None;
    // One: the chosen phone. Every: each phone ready at the click, in the list's order.
    QStringList serials;
    // As StartEnvironment::serverSocket: none leaves ADB_SERVER_SOCKET as the program found it.
    std::optional<QString> serverSocket;

    static Target none(std::optional<QString> serverSocket = std::nullopt);
    static Target one(QString serial, std::optional<QString> serverSocket = std::nullopt);
    static Target every(QStringList serials, std::optional<QString> serverSocket = std::nullopt);

    bool operator==(const Target&) const = default;
};

// The target of a click for the device row's choice (kind, and the serial when one phone is
// chosen) over the phones listed now: "全部设备" names the phones ready at this moment.
Target targetOf(Target::Kind chosen, const std::optional<QString>& serial,
                const std::vector<adb::ListedDevice>& listed,
                const std::optional<QString>& serverSocket);

// How one line of a click starts for its target. A line about a phone starts once per phone (with
// every phone, each console's title names its phone), or once with no phone named when none is
// chosen; a line about the computer starts once, naming the phone only when one is chosen.
std::vector<StartEnvironment> startsOf(const Target& target, launch::Reach reach);

// Whether the phone is listed and ready now: a phone of "全部设备" that is not when its turn comes
// is skipped.
bool isReadyNow(const QString& serial, const std::vector<adb::ListedDevice>& listed);

} // namespace kavu
