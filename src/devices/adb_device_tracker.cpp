#include "devices/adb_device_tracker.h"

#include "platform/server_stream.h"

#include <QTimer>

#include <algorithm>

namespace kavu {

namespace {

constexpr int kFirstRetryMs = 1000;
constexpr int kLastRetryMs = 10000;
// How long a server may take to accept and send its first listing.
constexpr int kFirstAnswerMs = 5000;

void feed(ServerStream& stream, adb::ReplyReader& reader) {
    reader.append(stream.takeInput());
}

void send(ServerStream& stream, std::string_view service) {
    stream.write(adb::request(service));
}

} // namespace

void DeviceWatch::publish(devices::Snapshot snapshot) {
    // A server that answers is past any failure to start one.
    if (snapshot.server == devices::Server::Up) {
        m_startFailure.reset();
    }
    snapshot.startFailure = m_startFailure;
    if (snapshot == m_snapshot) {
        return;
    }
    m_snapshot = std::move(snapshot);
    emit changed();
}

void DeviceWatch::serverStartEnded(std::optional<devices::ServerStartFailure> failure) {
    if (!failure) {
        askAgain();
        return;
    }
    if (m_snapshot.server == devices::Server::Up || m_server.isSet()) {
        return;
    }
    m_startFailure = failure;
    publish(m_snapshot);
    emit serverStartFailed(*failure);
}

AdbDeviceTracker::AdbDeviceTracker(AdbServer server, QObject* parent)
    : DeviceWatch(std::move(server), parent)
    , m_tracker(new ServerStream(this))
    , m_models(new ServerStream(this))
    , m_retry(new QTimer(this))
    , m_deadline(new QTimer(this))
    , m_retryMs(kFirstRetryMs) {
    m_retry->setObjectName(QStringLiteral("retry"));
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, &AdbDeviceTracker::connectTracker);
    // A server that accepts and never lists (or a connection that hangs) counts as not there.
    m_deadline->setSingleShot(true);
    m_deadline->setInterval(kFirstAnswerMs);
    connect(m_deadline, &QTimer::timeout, this, [this] {
        m_tracker->abort();
        lost();
    });
    connect(m_tracker, &ServerStream::connected, this,
            [this] { send(*m_tracker, "host:track-devices"); });
    connect(m_tracker, &ServerStream::readyRead, this, &AdbDeviceTracker::readTracker);
    connect(m_tracker, &ServerStream::closed, this, &AdbDeviceTracker::lost);
    connect(m_models, &ServerStream::connected, this,
            [this] { send(*m_models, "host:devices-l"); });
    connect(m_models, &ServerStream::readyRead, this, &AdbDeviceTracker::readModels);
    // The server closes the connection after the listing; anything short of it leaves the
    // models as they were.
    connect(m_models, &ServerStream::closed, this, &AdbDeviceTracker::modelsDone);
}

std::string AdbDeviceTracker::shownServer() const {
    return server().isSet() ? server().shown().toStdString() : std::string();
}

void AdbDeviceTracker::followServer() {
    m_retry->stop();
    m_addresses = std::make_shared<HostAddresses>();
    m_retryMs = kFirstRetryMs;
    m_askingModels = false;
    m_askModelsAgain = false;
    m_models->abort();
    m_knownModels.clear();
    publish({devices::Server::Unknown, {}, shownServer()});
    if (m_started) {
        connectTracker();
    }
}

void AdbDeviceTracker::start() {
    if (m_started) {
        return;
    }
    m_started = true;
    connectTracker();
}

void AdbDeviceTracker::connectTracker() {
    m_tracker->abort();
    m_trackerReader = adb::ReplyReader();
    m_deadline->start();
    m_tracker->connectTo(server().host, server().port, m_addresses);
}

void AdbDeviceTracker::readTracker() {
    feed(*m_tracker, m_trackerReader);
    while (const std::optional<adb::Reply> reply = m_trackerReader.next()) {
        switch (reply->kind) {
        case adb::Reply::Okay:
            break;
        case adb::Reply::Frame:
            // Only a server that lists its devices is back; one that accepts and drops the
            // connection keeps the back-off growing.
            m_retryMs = kFirstRetryMs;
            m_deadline->stop();
            publishDevices(adb::parseDeviceList(reply->text));
            askModels();
            break;
        case adb::Reply::Fail:
        case adb::Reply::Malformed:
            m_tracker->abort();
            lost();
            return;
        }
    }
}

// A server just started is asked at once, and from then on as after any answer.
void AdbDeviceTracker::askAgain() {
    if (!m_started || !m_retry->isActive()) {
        return;
    }
    m_retry->stop();
    m_retryMs = kFirstRetryMs;
    connectTracker();
}

// A lost connection schedules one retry; a retry already waiting stays as it is.
void AdbDeviceTracker::lost() {
    m_deadline->stop();
    if (m_retry->isActive()) {
        return;
    }
    publish({devices::Server::Down, {}, shownServer()});
    m_retry->start(m_retryMs);
    m_retryMs = std::min(m_retryMs * 2, kLastRetryMs);
}

// One listing at a time; a change while one is under way asks again once it is done.
void AdbDeviceTracker::askModels() {
    if (m_askingModels) {
        m_askModelsAgain = true;
        return;
    }
    m_askingModels = true;
    m_askModelsAgain = false;
    m_modelsReader = adb::ReplyReader();
    m_models->abort();
    m_models->connectTo(server().host, server().port, m_addresses);
}

void AdbDeviceTracker::modelsDone() {
    if (!m_askingModels) {
        return;
    }
    m_askingModels = false;
    m_models->abort();
    if (m_askModelsAgain) {
        QTimer::singleShot(0, this, &AdbDeviceTracker::askModels);
    }
}

void AdbDeviceTracker::readModels() {
    feed(*m_models, m_modelsReader);
    while (const std::optional<adb::Reply> reply = m_modelsReader.next()) {
        if (reply->kind == adb::Reply::Okay) {
            continue;
        }
        if (reply->kind == adb::Reply::Frame) {
            for (const adb::ListedDevice& device : snapshot().devices) {
                std::string model = adb::modelFromLongList(reply->text, device.serial);
                if (!model.empty()) {
                    m_knownModels[device.serial] = std::move(model);
                }
            }
            publishDevices(snapshot().devices);
        }
        modelsDone();
        return;
    }
}

// The models of devices no longer listed are forgotten: what the tracker keeps stays bounded by
// what is connected, however many serials a server announces over time.
void AdbDeviceTracker::publishDevices(std::vector<adb::ListedDevice> devices) {
    std::erase_if(m_knownModels, [&devices](const auto& known) {
        return std::none_of(devices.begin(), devices.end(), [&known](const adb::ListedDevice& d) {
            return d.serial == known.first;
        });
    });
    for (adb::ListedDevice& device : devices) {
        const auto known = m_knownModels.find(device.serial);
        device.model = known == m_knownModels.end() ? std::string() : known->second;
    }
    publish({devices::Server::Up, std::move(devices), shownServer()});
}

} // namespace kavu
