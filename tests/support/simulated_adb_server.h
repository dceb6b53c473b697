#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

namespace kavu::test {

// A phone as the simulated server lists it.
struct SimulatedDevice {
    QString serial;
    QString state = QStringLiteral("device");
    QString model;
};

// A shell command or a file that reached a simulated phone.
struct Received {
    QString serial;
    QString text; // the command, or the path the file was sent to
    qint64 size = 0;
};

// A small adb server of our own on a free loopback port, for the real adb client (pointed at it
// with ANDROID_ADB_SERVER_PORT) and for the program's device tracker. It answers the host
// services a client asks for before a command (version 41, no features, transports by serial or
// "any"), lists its devices (plain, long, and tracked as they change), records the commands run
// through the plain shell service (answering "Success") and the files sent through the sync
// service. Everything runs in the event loop of the thread that made it.
class SimulatedAdbServer final : public QObject {
    Q_OBJECT

public:
    explicit SimulatedAdbServer(QObject* parent = nullptr);
    ~SimulatedAdbServer() override;

    // Listens on 127.0.0.1 on the port given, or on one the system picks; false when it cannot.
    bool listen(quint16 port = 0);
    quint16 port() const;

    // The devices it lists from now on; every tracking connection is told at once.
    void setDevices(const QList<SimulatedDevice>& devices);
    // Drops every connection and stops listening, as a server that went away.
    void stop();

    // Every host request in the order received ("host:version", "host:tport:serial:…", …).
    QStringList requests;
    QList<Received> shellCommands;
    QList<Received> files;
    // How many tracking connections are open.
    int trackers() const;

signals:
    // After each request, shell command or file recorded.
    void received();

private:
    struct Connection;
    void accept();
    void read(Connection& connection);
    bool hostRequest(Connection& connection, const QString& service);
    bool serviceRequest(Connection& connection, const QString& service);
    bool syncRequest(Connection& connection);
    QByteArray shortList() const;
    QByteArray longList() const;
    const SimulatedDevice* device(const QString& serial) const;

    QTcpServer* m_server;
    QList<SimulatedDevice> m_devices;
    QList<Connection*> m_connections;
};

} // namespace kavu::test
