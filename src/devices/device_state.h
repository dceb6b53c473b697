#pragma once

#include "core/shown_text.h"

#include "devices/adb_protocol.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the main window's device row shows and which device the consoles talk to. UTF-8 texts.
namespace kavu::devices {

// Whether the adb server answers.
enum class Server {
    Unknown, // not asked yet
    Down,
    Up,
};

// How adb failed to start this computer's server: its exit code (-1 when a signal ended it) and
// the line of its output that says why (empty when it said nothing).
struct ServerStartFailure {
    int exitCode = 0;
    std::string line;

    bool operator==(const ServerStartFailure&) const = default;
};

// What an attempt to start this computer's server that ended with exitCode after writing output
// tells: none when it succeeded. The line is the reason of the server log's fatal line where adb
// copied that log, else the first line that is not adb's notice that it starts a server ("* daemon
// not running; starting now at …"), else the first one. It is outside text, so it is cut after
// kShownOutputBytes and its invalid UTF-8 and control characters are replaced.
inline constexpr std::size_t kShownOutputBytes = 160;
std::optional<ServerStartFailure> serverStartFailure(int exitCode, std::string_view output);

// What the device row says of it: the exit code, and the line where there is one.
std::string startFailureText(const ServerStartFailure& failure, Translate shown = sourceText);

// The devices as last reported, with the server's state.
struct Snapshot {
    Server server = Server::Unknown;
    std::vector<adb::ListedDevice> devices;
    // "HOST:PORT" of a server the user set (ADB_SERVER_SOCKET or the server dialog); empty for
    // this computer's.
    std::string remoteServer;
    // Why this computer's server could not be started, while it is down.
    std::optional<ServerStartFailure> startFailure = std::nullopt;

    bool operator==(const Snapshot&) const = default;
};

enum class State {
    Device,
    Unauthorized,
    Offline,
    NoPermissions,
    Recovery,
    Sideload,
    Bootloader,
    Connecting,
    Other,
};

// The server's word for a device's state; "no permissions" comes with a hint appended.
State classify(std::string_view serverWord);

// Whether a serial can reach the consoles as ANDROID_SERIAL just as the server sent it: valid UTF-8
// without NUL or any other control character (C0, DEL, C1). A device with any other serial is
// listed as invalid and cannot be chosen.
bool isUsableSerial(std::string_view serial);

// The drop-down's entry: the model and the serial, or the serial alone when the model is unknown;
// an unusable serial with its bytes outside printable ASCII written \xHH, marked invalid.
std::string itemText(const adb::ListedDevice& device, Translate shown = sourceText);

// The drop-down's entry for the chosen device while the server does not list it.
std::string departedItemText(std::string_view serial, Translate shown = sourceText);

// The short explanation beside the drop-down: the chosen device's state with what to do, or why
// there is nothing to choose.
std::string explanation(const Snapshot& snapshot, const std::optional<std::string>& chosen,
                        Translate shown = sourceText);

// The devices "全部设备" runs on: every listed device that is ready ("device") with a usable
// serial, in the list's order.
std::vector<std::string> readySerials(const std::vector<adb::ListedDevice>& devices);
// The drop-down's entry for all of them: "全部设备（N 台）".
std::string everyDeviceItemText(std::size_t count, Translate shown = sourceText);
// The explanation while every device is chosen: how many take the commands, and the devices left
// out with their state.
std::string everyDeviceExplanation(const Snapshot& snapshot, Translate shown = sourceText);

// The device every console talks to after the list changed. A choice stands until the user picks
// another, also while its device is not listed: a phone that reboots into its bootloader leaves the
// list and keeps its serial, and its next command must not go to another phone. With no choice,
// the only device listed is chosen when its serial is usable.
std::optional<std::string> choose(const std::optional<std::string>& previous,
                                  const std::vector<adb::ListedDevice>& devices);

} // namespace kavu::devices
