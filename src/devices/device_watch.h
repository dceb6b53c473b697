#pragma once

#include "devices/adb_server.h"
#include "devices/device_state.h"

#include <QObject>

#include <optional>

namespace kavu {

// The devices an adb server sees, kept up to date while the program runs.
class DeviceWatch : public QObject {
    Q_OBJECT

public:
    explicit DeviceWatch(AdbServer server, QObject* parent = nullptr)
        : QObject(parent)
        , m_server(std::move(server)) {}

    // Begins watching; does nothing when already watching.
    virtual void start() = 0;
    const devices::Snapshot& snapshot() const { return m_snapshot; }

    // The server watched; another one is followed from now on.
    const AdbServer& server() const { return m_server; }
    void setServer(AdbServer server) {
        m_server = std::move(server);
        m_startFailure.reset();
        followServer();
    }

    // How adb's start of this computer's server went: a failure is told while the server stays
    // down (a server that answers meanwhile makes it past); a start that worked asks at once.
    void serverStartEnded(std::optional<devices::ServerStartFailure> failure);

signals:
    void changed();
    // adb could not start this computer's server.
    void serverStartFailed(const devices::ServerStartFailure& failure);

protected:
    // Takes a new snapshot; announces it when it differs from the last one.
    void publish(devices::Snapshot snapshot);
    // Turns to server() after it changed.
    virtual void followServer() = 0;
    // Asks the server now rather than at the next retry.
    virtual void askAgain() {}

private:
    AdbServer m_server;
    devices::Snapshot m_snapshot;
    std::optional<devices::ServerStartFailure> m_startFailure;
};

} // namespace kavu
