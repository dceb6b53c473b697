#pragma once

#include "devices/adb_server.h"
#include "devices/phone_command.h"
#include "devices/shell_protocol.h"
#include "platform/server_stream.h"

#include <QObject>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

class QTimer;

namespace kavu {

class ServerStream;

// What one request may take before it ends as TimedOut or TooLarge.
struct ShellLimits {
    std::chrono::milliseconds timeout{10'000};
    std::size_t outputBytes = std::size_t{16} << 20;
};

// One command in a device's shell over the adb server: first the device's features, then the
// command with the shell protocol when the device speaks it, else through the plain shell
// service; one connection at a time, all in the event loop. It ends exactly once, with
// `finished`, and then deletes itself from the event loop.
class AdbShellRequest final : public QObject {
    Q_OBJECT

public:
    // addresses: where the server's host name was found, shared by the requests to it.
    AdbShellRequest(AdbServer server, std::string serial, const adb::PhoneCommand& command,
                    const ShellLimits& limits, QObject* parent,
                    std::shared_ptr<HostAddresses> addresses = {});
    ~AdbShellRequest() override;

    // Ends the request at once as Cancelled (`finished` is sent before this returns); does
    // nothing once it has ended.
    void cancel();

signals:
    void finished(const kavu::adb::ShellResult& result);

private:
    void start();
    void sendOpening();
    void read();
    void closed();
    void finish(adb::ShellResult result);

    AdbServer m_server;
    std::shared_ptr<HostAddresses> m_addresses;
    std::string m_serial;
    adb::PhoneCommand m_command;
    std::size_t m_outputLimit;
    ServerStream* m_stream;
    QTimer* m_timeLimit;
    std::optional<adb::FeaturesQuery> m_features;
    std::optional<adb::ShellSession> m_session;
    bool m_ended = false;
};

// Runs commands in the devices' shells through the adb server. It connects only when asked,
// never starts a server, and serves any number of requests at once, one connection each.
class AdbShellClient final : public QObject {
    Q_OBJECT

public:
    // Talks to the server adb itself would use (serverFromEnvironment).
    explicit AdbShellClient(QObject* parent = nullptr);
    AdbShellClient(AdbServer server, ShellLimits limits, QObject* parent = nullptr);

    // The server the requests started from now on talk to; those under way keep theirs.
    // Another server; its host name is looked up afresh.
    void setServer(AdbServer server) {
        m_server = std::move(server);
        m_addresses = std::make_shared<HostAddresses>();
    }
    const AdbServer& server() const { return m_server; }

    // Starts the command on the device with this serial; connect to the request's `finished`
    // at once: it is sent from the event loop, also for a command refused before anything was
    // sent. The request belongs to the client: one still running when the client is destroyed goes
    // with it, without a result.
    AdbShellRequest* run(const std::string& serial, const adb::PhoneCommand& command);

private:
    AdbServer m_server;
    // Where its host name was found: looked up once for all the reads.
    std::shared_ptr<HostAddresses> m_addresses = std::make_shared<HostAddresses>();
    ShellLimits m_limits;
};

} // namespace kavu
