#pragma once

#include "core/network_address.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <string>
#include <string_view>

namespace kavu {

// Where the adb server listens: this computer's (no host) at a port, or a host's, such as a lab's
// server on the machine that holds the USB hubs.
struct AdbServer {
    static constexpr quint16 kDefaultPort = 5037;

    AdbServer(quint16 port = kDefaultPort) // NOLINT: a port alone is this computer's server
        : port(port) {}
    AdbServer(std::string host, quint16 port)
        : host(std::move(host))
        , port(port) {}

    // Empty for this computer's server as adb finds it without a setting.
    std::string host;
    quint16 port;

    // Whether it is a server the user set, rather than this computer's default.
    bool isSet() const { return !host.empty(); }
    // "HOST:PORT" ("[IPv6]:PORT"), as the device row names it.
    QString shown() const;
    // "tcp:HOST:PORT", as adb reads it from ADB_SERVER_SOCKET; for this computer's server
    // "tcp:PORT" when adb would not find that port by itself, else empty.
    QString socketSpec() const;

    bool operator==(const AdbServer&) const = default;
};

// ADB_SERVER_SOCKET's "tcp:HOST:PORT" (or "tcp:PORT" for this computer at that port); none for
// anything else.
std::optional<AdbServer> serverFromSocketSpec(std::string_view spec);
// This computer's server: at ANDROID_ADB_SERVER_PORT when that holds a port, else at 5037.
AdbServer localServerFromEnvironment();
// The server adb itself would use: ADB_SERVER_SOCKET when it names one as above, else this
// computer's at ANDROID_ADB_SERVER_PORT when that holds a port, else at 5037.
AdbServer serverFromEnvironment();

} // namespace kavu
