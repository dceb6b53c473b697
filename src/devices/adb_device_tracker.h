#pragma once

#include "devices/adb_protocol.h"
#include "devices/adb_server.h"
#include "devices/device_watch.h"
#include "platform/server_stream.h"

#include <QtGlobal>

#include <map>
#include <memory>
#include <string>

class QTimer;

namespace kavu {

class ServerStream;

// Follows the adb server's device list over its host protocol (host:track-devices), with
// the models from host:devices-l each time the list changes. Everything runs in the event loop:
// two sockets and a retry timer, nothing that wakes up while the list stays the same. It never
// starts a server: while none answers it asks again after 1 s, then 2, 4, 8 and every 10 s, and at
// once when told that one was started.
class AdbDeviceTracker final : public DeviceWatch {
    Q_OBJECT

public:
    explicit AdbDeviceTracker(AdbServer server, QObject* parent = nullptr);

    void start() override;

protected:
    // Asks the new server at once; the list is empty until it answers.
    void followServer() override;
    void askAgain() override;

private:
    void connectTracker();
    void readTracker();
    void lost();
    void askModels();
    void readModels();
    void modelsDone();
    void publishDevices(std::vector<adb::ListedDevice> devices);
    // The set server's "HOST:PORT" for the snapshots; empty for this computer's.
    std::string shownServer() const;

    bool m_started = false;
    ServerStream* m_tracker;
    ServerStream* m_models;
    QTimer* m_retry;
    // Until the server's first listing.
    QTimer* m_deadline;
    // Where the server's host name was found: looked up once per server, and after a failure.
    std::shared_ptr<HostAddresses> m_addresses = std::make_shared<HostAddresses>();
    int m_retryMs;
    adb::ReplyReader m_trackerReader;
    adb::ReplyReader m_modelsReader;
    bool m_askingModels = false;
    bool m_askModelsAgain = false;
    std::map<std::string, std::string> m_knownModels;
};

} // namespace kavu
