#include "support/simulated_adb_server.h"

#include "devices/adb_protocol.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>

namespace kavu::test {

namespace {

constexpr int kHeader = 4;
constexpr int kSyncHeader = 8;
// The version the Debian adb client (1.0.41) expects of its server.
constexpr QByteArrayView kVersion = "0029";
constexpr quint32 kDirectoryMode = 0040755;
constexpr quint32 kFileMode = 0100644;

QByteArray frame(const QByteArray& payload) {
    return QByteArray::number(payload.size(), 16).rightJustified(kHeader, '0') + payload;
}

QByteArray okay() {
    return QByteArrayLiteral("OKAY");
}

QByteArray fail(const QByteArray& reason) {
    return QByteArrayLiteral("FAIL") + frame(reason);
}

QByteArray word32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// The model as adb lists it: anything but letters, digits and a few marks becomes '_'.
QString listedModel(QString model) {
    for (QChar& c : model) {
        if (!c.isLetterOrNumber() && c != u'.' && c != u'-') {
            c = u'_';
        }
    }
    return model;
}

} // namespace

struct SimulatedAdbServer::Connection {
    enum class Mode { Host, Tracking, Sync, Done };
    QTcpSocket* socket = nullptr;
    QByteArray buffer;
    Mode mode = Mode::Host;
    QString serial; // of the transport the client picked
    QString sendPath;
    qint64 sendSize = 0;
};

SimulatedAdbServer::SimulatedAdbServer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this)) {
    connect(m_server, &QTcpServer::newConnection, this, &SimulatedAdbServer::accept);
}

SimulatedAdbServer::~SimulatedAdbServer() {
    stop();
}

bool SimulatedAdbServer::listen(quint16 port) {
    return m_server->listen(QHostAddress(QHostAddress::LocalHost), port);
}

quint16 SimulatedAdbServer::port() const {
    return m_server->serverPort();
}

int SimulatedAdbServer::trackers() const {
    int count = 0;
    for (const Connection* connection : m_connections) {
        count += connection->mode == Connection::Mode::Tracking;
    }
    return count;
}

void SimulatedAdbServer::setDevices(const QList<SimulatedDevice>& devices) {
    m_devices = devices;
    const QByteArray list = frame(shortList());
    for (Connection* connection : std::as_const(m_connections)) {
        if (connection->mode == Connection::Mode::Tracking) {
            connection->socket->write(list);
        }
    }
}

void SimulatedAdbServer::stop() {
    m_server->close();
    const QList<Connection*> connections = std::exchange(m_connections, {});
    for (Connection* connection : connections) {
        connection->socket->disconnect(this);
        connection->socket->abort();
        connection->socket->deleteLater();
        delete connection;
    }
}

void SimulatedAdbServer::accept() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        auto* connection = new Connection;
        connection->socket = socket;
        m_connections.append(connection);
        connect(socket, &QTcpSocket::readyRead, this, [this, connection] { read(*connection); });
        connect(socket, &QTcpSocket::disconnected, this, [this, connection] {
            if (m_connections.removeOne(connection)) {
                connection->socket->deleteLater();
                delete connection;
            }
        });
    }
}

void SimulatedAdbServer::read(Connection& connection) {
    connection.buffer += connection.socket->readAll();
    bool more = true;
    while (more) {
        switch (connection.mode) {
        case Connection::Mode::Host: {
            const std::optional<std::size_t> length = adb::parseLength(std::string_view(
                connection.buffer.constData(), qMin<qsizetype>(kHeader, connection.buffer.size())));
            if (connection.buffer.size() < kHeader) {
                more = false;
                break;
            }
            if (!length) {
                connection.socket->write(fail("bad request length"));
                connection.mode = Connection::Mode::Done;
                break;
            }
            const auto size = static_cast<qsizetype>(*length);
            if (connection.buffer.size() < kHeader + size) {
                more = false;
                break;
            }
            const QString service = QString::fromUtf8(connection.buffer.mid(kHeader, size));
            connection.buffer.remove(0, kHeader + size);
            more = service.startsWith(u"host") ? hostRequest(connection, service)
                                               : serviceRequest(connection, service);
            emit received();
            break;
        }
        case Connection::Mode::Sync:
            more = syncRequest(connection);
            break;
        case Connection::Mode::Tracking:
            connection.buffer.clear();
            more = false;
            break;
        case Connection::Mode::Done:
            connection.buffer.clear();
            connection.socket->disconnectFromHost();
            more = false;
            break;
        }
    }
}

// True when the connection goes on reading requests.
bool SimulatedAdbServer::hostRequest(Connection& connection, const QString& service) {
    requests.append(service);
    QTcpSocket& socket = *connection.socket;
    const auto answer = [&](const QByteArray& payload) {
        socket.write(okay() + frame(payload));
        connection.mode = Connection::Mode::Done;
        return true;
    };
    if (service == u"host:version") {
        return answer(kVersion.toByteArray());
    }
    if (service.endsWith(u":features") || service == u"host:host-features") {
        return answer({});
    }
    if (service == u"host:devices") {
        return answer(shortList());
    }
    if (service == u"host:devices-l") {
        return answer(longList());
    }
    if (service == u"host:track-devices") {
        socket.write(okay() + frame(shortList()));
        connection.mode = Connection::Mode::Tracking;
        return false;
    }
    if (service == u"host:kill") {
        socket.write(okay());
        connection.mode = Connection::Mode::Done;
        return true;
    }
    // host:tport:serial:S, host:tport:any, and the older host:transport:S / host:transport-any.
    QString wanted;
    bool withId = true;
    if (service.startsWith(u"host:tport:serial:")) {
        wanted = service.mid(18);
    } else if (service.startsWith(u"host:transport:")) {
        wanted = service.mid(15);
        withId = false;
    } else if (service == u"host:tport:any" || service == u"host:transport-any") {
        withId = service == u"host:tport:any";
        QStringList ready;
        for (const SimulatedDevice& d : std::as_const(m_devices)) {
            ready.append(d.serial);
        }
        if (ready.size() != 1) {
            socket.write(fail(ready.isEmpty() ? "no devices/emulators found"
                                              : "more than one device/emulator"));
            connection.mode = Connection::Mode::Done;
            return true;
        }
        wanted = ready.front();
    } else {
        socket.write(fail("unknown host service"));
        connection.mode = Connection::Mode::Done;
        return true;
    }
    const SimulatedDevice* target = device(wanted);
    if (target == nullptr) {
        socket.write(fail("device '" + wanted.toUtf8() + "' not found"));
        connection.mode = Connection::Mode::Done;
        return true;
    }
    if (target->state != u"device") {
        socket.write(fail("device " + target->state.toUtf8()));
        connection.mode = Connection::Mode::Done;
        return true;
    }
    connection.serial = target->serial;
    const auto id = static_cast<quint64>(target - m_devices.constData() + 1);
    QByteArray reply = okay();
    if (withId) {
        QByteArray idBytes(8, '\0');
        qToLittleEndian(id, idBytes.data());
        reply += idBytes;
    }
    socket.write(reply);
    return true;
}

bool SimulatedAdbServer::serviceRequest(Connection& connection, const QString& service) {
    requests.append(service);
    QTcpSocket& socket = *connection.socket;
    if (connection.serial.isEmpty()) {
        socket.write(fail("no transport selected"));
        connection.mode = Connection::Mode::Done;
        return true;
    }
    if (service.startsWith(u"shell:")) {
        shellCommands.append({connection.serial, service.mid(6), 0});
        socket.write(okay() + "Success\n");
        connection.mode = Connection::Mode::Done;
        return true;
    }
    if (service == u"sync:") {
        socket.write(okay());
        connection.mode = Connection::Mode::Sync;
        return true;
    }
    socket.write(fail("unknown service"));
    connection.mode = Connection::Mode::Done;
    return true;
}

// One sync request (an id and a little-endian length, then that many bytes, except DONE whose
// length is the file's time). True when a whole request was taken.
bool SimulatedAdbServer::syncRequest(Connection& connection) {
    QByteArray& buffer = connection.buffer;
    if (buffer.size() < kSyncHeader) {
        return false;
    }
    const QByteArray id = buffer.left(4);
    const quint32 length = qFromLittleEndian<quint32>(buffer.constData() + 4);
    QTcpSocket& socket = *connection.socket;
    if (id == "DONE") {
        buffer.remove(0, kSyncHeader);
        files.append({connection.serial, connection.sendPath, connection.sendSize});
        socket.write("OKAY" + word32(0));
        emit received();
        return true;
    }
    if (id == "QUIT") {
        buffer.clear();
        connection.mode = Connection::Mode::Done;
        return true;
    }
    if (length > adb::kMaxFrame + 1 || (id != "STAT" && id != "SEND" && id != "DATA")) {
        socket.write("FAIL" + word32(19) + "unsupported request");
        connection.mode = Connection::Mode::Done;
        return true;
    }
    if (static_cast<quint64>(buffer.size()) < kSyncHeader + quint64{length}) {
        return false;
    }
    const QByteArray data = buffer.mid(kSyncHeader, length);
    buffer.remove(0, kSyncHeader + length);
    if (id == "DATA") {
        connection.sendSize += length;
    } else if (id == "SEND") {
        // "path,mode"
        const qsizetype comma = data.lastIndexOf(',');
        connection.sendPath = QString::fromUtf8(comma < 0 ? data : data.left(comma));
        connection.sendSize = 0;
    } else { // STAT: folders exist, files sent before exist, nothing else does
        const QString path = QString::fromUtf8(data);
        quint32 mode = 0;
        if (path == u"/data/local/tmp" || path == u"/data/local/tmp/" || path == u"/sdcard" ||
            path == u"/sdcard/") {
            mode = kDirectoryMode;
        }
        for (const Received& file : std::as_const(files)) {
            if (file.text == path) {
                mode = kFileMode;
            }
        }
        socket.write("STAT" + word32(mode) + word32(0) + word32(0));
    }
    return true;
}

QByteArray SimulatedAdbServer::shortList() const {
    QByteArray list;
    for (const SimulatedDevice& d : m_devices) {
        list += d.serial.toUtf8() + '\t' + d.state.toUtf8() + '\n';
    }
    return list;
}

QByteArray SimulatedAdbServer::longList() const {
    QByteArray list;
    for (int i = 0; i < m_devices.size(); ++i) {
        const SimulatedDevice& d = m_devices.at(i);
        QByteArray line = d.serial.toUtf8().leftJustified(22, ' ') + ' ' + d.state.toUtf8();
        if (d.state == u"device") {
            line += " usb:1-" + QByteArray::number(i + 1) +
                    " product:sim model:" + listedModel(d.model).toUtf8() + " device:sim";
        }
        list += line + " transport_id:" + QByteArray::number(i + 1) + '\n';
    }
    return list;
}

const SimulatedDevice* SimulatedAdbServer::device(const QString& serial) const {
    for (const SimulatedDevice& d : m_devices) {
        if (d.serial == serial) {
            return &d;
        }
    }
    return nullptr;
}

} // namespace kavu::test
