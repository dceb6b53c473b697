#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class QTcpServer;
class QTcpSocket;

namespace kavu::test {

// A phone as the simulated server lists it.
struct SimulatedDevice {
    QString serial;
    QString state = QStringLiteral("device");
    QString model;
};

struct SimulatedPackage {
    QString name;
    bool system = false;
    bool disabled = false;
    bool uninstalledForUser = false; // removed for user 0, kept on the phone
    // Disabled by the system or another tool (the package manager's state 2), not by the user
    // (3); only with disabled.
    bool disabledBySystem = false;
};

// What the simulated phones answer to the commands that read their state. Every phone of the
// server answers the same.
struct SimulatedPhone {
    QList<SimulatedPackage> packages;
    // "namespace/key" -> value, for settings get; a missing key reads "null".
    QMap<QString, QString> settings;
    int density = 440;
    std::optional<int> densityOverride;
    QString size = QStringLiteral("1080x2400");
    QString sizeOverride;
};

// How the simulated phones misbehave when a shell command is answered.
enum class ShellFault {
    None,
    Slow,          // the answer comes after slowMs
    CloseMidReply, // half of the answer, then the connection ends
    TooMuch,       // tooMuchBytes of stdout before the real answer
};

// One shell command's answer.
struct ShellAnswer {
    QByteArray out;
    QByteArray err;
    int exitCode = 0;
};

// A shell command or a file that reached a simulated phone.
struct Received {
    QString serial;
    QString text; // the command, or the path the file was sent to
    qint64 size = 0;
};

// A small adb server of our own on a free loopback port, for the real adb client (pointed at it
// with ANDROID_ADB_SERVER_PORT) and for the program's device tracker. It answers the host services
// a client asks for before a command (version 41, the devices' `features`, transports by serial or
// "any"), lists its devices (plain, long, and tracked as they change), records the commands run
// through the shell services and the files sent through the sync service. Shell commands that read
// the phone's state (package lists, settings get, wm density, wm size, wm overscan) are answered
// from `phone` in the phones' own formats, an unknown command as the phone's shell does, any other
// with "Success" (the changes the program makes to packages, settings and the window manager's
// density and size change `phone`: see change()), through
// the plain service ("shell:") or the shell protocol ("shell,v2,raw:") with stdout, stderr and the
// exit code as packets. It can be told to answer slowly, to close mid-reply or to send too much
// (`shellFault`). A command may be a sequence ("A 2>&1; echo $?; B"), as the one that reads the
// four package listings at once. Everything runs in the event loop of the thread that made it.
class SimulatedAdbServer final : public QObject {
    Q_OBJECT

public:
    explicit SimulatedAdbServer(QObject* parent = nullptr);
    ~SimulatedAdbServer() override;

    // Listens on address (127.0.0.1 unless given) on the port given, or on one the system picks;
    // false when it cannot.
    bool listen(quint16 port = 0,
                const QHostAddress& address = QHostAddress(QHostAddress::LocalHost));
    quint16 port() const;

    // The devices it lists from now on; every tracking connection is told at once.
    void setDevices(const QList<SimulatedDevice>& devices);
    // Drops every connection and stops listening, as a server that went away.
    void stop();

    // Every host request in the order received ("host:version", "host:tport:serial:…", …).
    QStringList requests;
    QList<Received> shellCommands;
    QList<Received> files;
    SimulatedPhone phone;
    // Phones whose every command but the reads fails (exit code 3).
    QSet<QString> failingSerials;
    // What each device lists for host-serial:SERIAL:features; with "shell_v2" clients use the
    // shell protocol.
    QStringList features;
    ShellFault shellFault = ShellFault::None;
    int slowMs = 60'000;
    // How long a line written into a line shell ("shell,v2,raw:" with no command) runs on the
    // phone, and the most that ran at once.
    int lineDelayMs = 0;
    int mostRunning = 0;
    qint64 tooMuchBytes = 1 << 20;
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
    bool lineRequest(Connection& connection);
    const SimulatedDevice* transportTarget(const QString& wanted, QByteArray* refusal) const;
    void answerShell(Connection& connection, const QString& command, bool shellV2);
    void endReply(Connection& connection);
    void change(const QString& command);
    ShellAnswer answer(const QString& command) const;
    QByteArray shortList() const;
    QByteArray longList() const;
    const SimulatedDevice* device(const QString& serial) const;

    QTcpServer* m_server;
    QList<SimulatedDevice> m_devices;
    QList<Connection*> m_connections;
    int m_running = 0;
};

} // namespace kavu::test
