#include "support/simulated_adb_server.h"

#include "devices/adb_protocol.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <utility>

#include <sys/socket.h>

namespace kavu::test {

namespace {

constexpr int kHeader = 4;
constexpr int kSyncHeader = 8;
// The version the Debian adb client (1.0.41) expects of its server.
constexpr QByteArrayView kVersion = "0029";
constexpr quint32 kDirectoryMode = 0040755;
constexpr quint32 kFileMode = 0100644;
// The largest shell protocol packet the simulated phones send.
constexpr qsizetype kPacketPayload = 1 << 15;
constexpr char kStdoutId = 1;
constexpr char kStderrId = 2;
constexpr char kExitId = 3;

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

QByteArray packet(char id, const QByteArray& payload) {
    return QByteArray(1, id) + word32(static_cast<quint32>(payload.size())) + payload;
}

// Output as shell protocol packets, none for no output.
QByteArray packets(char id, const QByteArray& output) {
    QByteArray bytes;
    for (qsizetype at = 0; at < output.size(); at += kPacketPayload) {
        bytes += packet(id, output.mid(at, kPacketPayload));
    }
    return bytes;
}

// The programs the simulated phones have; any other name is not found by their shell.
bool isPhoneProgram(const QString& name) {
    static const QStringList kPrograms = {
        QStringLiteral("am"),   QStringLiteral("cmd"),       QStringLiteral("dumpsys"),
        QStringLiteral("echo"), QStringLiteral("getprop"),   QStringLiteral("input"),
        QStringLiteral("ls"),   QStringLiteral("pm"),        QStringLiteral("reboot"),
        QStringLiteral("rm"),   QStringLiteral("screencap"), QStringLiteral("settings"),
        QStringLiteral("sh"),   QStringLiteral("svc"),       QStringLiteral("wm")};
    return kPrograms.contains(name.section(u'/', -1));
}

// "pm list packages" with its filters: -s system, -3 third party, -d disabled, -e enabled, -u
// also those removed for the user but kept. The package manager answers in its own order.
ShellAnswer listPackages(const QList<SimulatedPackage>& packages, const QStringList& options) {
    bool system = false;
    bool thirdParty = false;
    bool disabled = false;
    bool enabled = false;
    bool uninstalled = false;
    for (const QString& option : options) {
        if (option == u"-s") {
            system = true;
        } else if (option == u"-3") {
            thirdParty = true;
        } else if (option == u"-d") {
            disabled = true;
        } else if (option == u"-e") {
            enabled = true;
        } else if (option == u"-u") {
            uninstalled = true;
        } else {
            return {{}, "Error: Unknown option: " + option.toUtf8() + '\n', 255};
        }
    }
    ShellAnswer answer;
    for (const SimulatedPackage& p : packages) {
        if ((system && !p.system) || (thirdParty && p.system) || (disabled && !p.disabled) ||
            (enabled && p.disabled) || (!uninstalled && p.uninstalledForUser)) {
            continue;
        }
        answer.out += "package:" + p.name.toUtf8() + '\n';
    }
    return answer;
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
    // Shell: an answer is on its way; what the client sends (its end of stdin) is dropped.
    // Lines: a shell with no command that runs what comes on its standard input.
    enum class Mode { Host, Tracking, Sync, Shell, Lines, Done };
    QTcpSocket* socket = nullptr;
    QByteArray buffer;
    Mode mode = Mode::Host;
    QString serial; // of the transport the client picked
    QString sendPath;
    qint64 sendSize = 0;
    bool ending = false;
};

SimulatedAdbServer::SimulatedAdbServer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this)) {
    connect(m_server, &QTcpServer::newConnection, this, &SimulatedAdbServer::accept);
}

SimulatedAdbServer::~SimulatedAdbServer() {
    stop();
}

bool SimulatedAdbServer::listen(quint16 port, const QHostAddress& address) {
    return m_server->listen(address, port);
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
        } else if (connection->mode == Connection::Mode::Lines &&
                   device(connection->serial) == nullptr) {
            // The phone left: its shell's connection ends.
            connection->socket->disconnectFromHost();
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
        case Connection::Mode::Lines:
            more = lineRequest(connection);
            break;
        case Connection::Mode::Tracking:
        case Connection::Mode::Shell:
            connection.buffer.clear();
            more = false;
            break;
        case Connection::Mode::Done:
            connection.buffer.clear();
            endReply(connection);
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
    const auto refuse = [&](const QByteArray& why) {
        socket.write(fail(why));
        connection.mode = Connection::Mode::Done;
        return true;
    };
    if (service == u"host:version") {
        return answer(kVersion.toByteArray());
    }
    if (service == u"host:host-features") {
        return answer({});
    }
    // host:features for the only device, host-serial:SERIAL:features for one.
    if (service == u"host:features" ||
        (service.startsWith(u"host-serial:") && service.endsWith(u":features"))) {
        constexpr qsizetype kPrefix = 12;
        constexpr qsizetype kSuffix = 9;
        const QString wanted = service.startsWith(u"host-serial:")
                                   ? service.mid(kPrefix, service.size() - kPrefix - kSuffix)
                                   : QString();
        QByteArray refusal;
        const SimulatedDevice* target = transportTarget(wanted, &refusal);
        if (target == nullptr) {
            return refuse(refusal);
        }
        return answer(features.join(u',').toUtf8());
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
    } else {
        return refuse("unknown host service");
    }
    QByteArray refusal;
    const SimulatedDevice* target = transportTarget(wanted, &refusal);
    if (target == nullptr) {
        return refuse(refusal);
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
        answerShell(connection, service.mid(6), false);
        return true;
    }
    // shell,ARG,ARG…:COMMAND, such as shell,v2,raw:COMMAND
    if (service.startsWith(u"shell,") && service.contains(u':')) {
        const qsizetype colon = service.indexOf(u':');
        const QStringList arguments = service.mid(6, colon - 6).split(u',');
        const QString command = service.mid(colon + 1);
        if (command.isEmpty() && arguments.contains(u"v2")) {
            // No command: a shell that reads its commands from standard input.
            requests.append(QStringLiteral("lines:") + connection.serial);
            socket.write(okay());
            connection.mode = Connection::Mode::Lines;
            return true;
        }
        answerShell(connection, command, arguments.contains(u"v2"));
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

// One standard-input packet of a line shell. A line "(COMMAND >/dev/null 2>&1 </dev/null; echo
// MARK) &" runs COMMAND in the background: recorded at once, MARK written out after lineDelayMs;
// closing standard input ends the shell once its lines have. True when a whole packet was taken.
bool SimulatedAdbServer::lineRequest(Connection& connection) {
    QByteArray& buffer = connection.buffer;
    if (buffer.size() < 5) {
        return false;
    }
    const qsizetype length = qFromLittleEndian<quint32>(buffer.constData() + 1);
    if (buffer.size() < 5 + length) {
        return false;
    }
    const char id = buffer.at(0);
    const QByteArray payload = buffer.mid(5, length);
    buffer.remove(0, 5 + length);
    QTcpSocket* socket = connection.socket;
    if (id == 4) { // close stdin
        connection.mode = Connection::Mode::Shell;
        QTimer::singleShot(lineDelayMs, socket, [socket] {
            socket->write(packet(kExitId, QByteArray(1, '\0')));
            socket->disconnectFromHost();
        });
        return false;
    }
    static const QRegularExpression kBackground(
        QStringLiteral("^\\((.*) >/dev/null 2>&1 </dev/null; echo (\\S+)\\) &$"));
    for (const QByteArray& line : payload.split('\n')) {
        const QRegularExpressionMatch match = kBackground.match(QString::fromUtf8(line));
        if (!match.hasMatch()) {
            continue;
        }
        const QString command = match.captured(1);
        shellCommands.append({connection.serial, command, 0});
        if (answer(command).exitCode == 0) {
            change(command);
        }
        ++m_running;
        mostRunning = std::max(mostRunning, m_running);
        const QByteArray mark = match.captured(2).toUtf8() + '\n';
        QTimer::singleShot(lineDelayMs, socket, [this, socket, mark] {
            --m_running;
            socket->write(packet(kStdoutId, mark));
        });
        emit received();
    }
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

// The device a transport or a features query names (any: the only one), or none with the
// server's reason.
const SimulatedDevice* SimulatedAdbServer::transportTarget(const QString& wanted,
                                                           QByteArray* refusal) const {
    if (wanted.isEmpty() && m_devices.size() != 1) {
        *refusal =
            m_devices.isEmpty() ? "no devices/emulators found" : "more than one device/emulator";
        return nullptr;
    }
    const SimulatedDevice* target = wanted.isEmpty() ? &m_devices.front() : device(wanted);
    if (target == nullptr) {
        *refusal = "device '" + wanted.toUtf8() + "' not found";
        return nullptr;
    }
    if (target->state == u"unauthorized") {
        *refusal = "device unauthorized.\nThis adb server's $ADB_VENDOR_KEYS is not set\n"
                   "Try 'adb kill-server' if that seems wrong.\n"
                   "Otherwise check for a confirmation dialog on your device.";
        return nullptr;
    }
    if (target->state != u"device") {
        *refusal = "device " + target->state.toUtf8();
        return nullptr;
    }
    return target;
}

// Ends the connection after its reply as a server does: once every byte written has left, the
// sending half is shut, so the client reads the reply to its end; what the client still sends (its
// end of stdin) is read and dropped until it closes. A socket closed with unread input is reset,
// and a reset makes the client's system drop the part of a long reply the client had not read.
void SimulatedAdbServer::endReply(Connection& connection) {
    if (std::exchange(connection.ending, true)) {
        return;
    }
    QTcpSocket* socket = connection.socket;
    const auto shutWhenSent = [socket] {
        if (socket->bytesToWrite() == 0) {
            ::shutdown(static_cast<int>(socket->socketDescriptor()), SHUT_WR);
        }
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, shutWhenSent);
    shutWhenSent();
}

void SimulatedAdbServer::answerShell(Connection& connection, const QString& command, bool shellV2) {
    shellCommands.append({connection.serial, command, 0});
    // The answer is the phone's before the change: a change that fails changes nothing.
    ShellAnswer reply = answer(command);
    if (failingSerials.contains(connection.serial) && !command.startsWith(u"pm list") &&
        !command.startsWith(u"dumpsys") && !command.startsWith(u"settings get")) {
        reply = {{}, "Error: the phone refused\n", 3};
    }
    if (reply.exitCode == 0) {
        change(command);
    }
    if (shellFault == ShellFault::TooMuch) {
        reply.out.prepend(QByteArray(tooMuchBytes, 'x'));
    }
    QByteArray bytes;
    if (shellV2) {
        bytes = packets(kStdoutId, reply.out) + packets(kStderrId, reply.err) +
                packet(kExitId, QByteArray(1, static_cast<char>(reply.exitCode)));
    } else {
        bytes = reply.out + reply.err;
    }
    QTcpSocket* socket = connection.socket;
    socket->write(okay());
    switch (shellFault) {
    case ShellFault::Slow:
        connection.mode = Connection::Mode::Shell;
        QTimer::singleShot(slowMs, socket, [socket, bytes] {
            socket->write(bytes);
            socket->disconnectFromHost();
        });
        return;
    case ShellFault::CloseMidReply:
        socket->write(bytes.left(bytes.size() / 2));
        break;
    case ShellFault::None:
    case ShellFault::TooMuch:
        socket->write(bytes);
        break;
    }
    connection.mode = Connection::Mode::Done;
}

// The words of a line as the phone's shell reads them: blanks part words, 'single quotes' keep
// everything up to the next quote, a backslash keeps the next character ('it'\''s' is "it's").
QStringList shellWords(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype at = 0; at < line.size(); ++at) {
        const QChar c = line.at(at);
        if (c == u' ') {
            if (inWord) {
                words.append(word);
                word.clear();
                inWord = false;
            }
        } else if (c == u'\'') {
            const qsizetype end = line.indexOf(u'\'', at + 1);
            word += line.mid(at + 1, (end < 0 ? line.size() : end) - at - 1);
            at = end < 0 ? line.size() : end;
            inWord = true;
        } else if (c == u'\\' && at + 1 < line.size()) {
            word += line.at(++at);
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.append(word);
    }
    return words;
}

// What "dumpsys package NAME" prints of a package's state for user 0 (the lines that matter).
QByteArray packageDump(const SimulatedPackage& package) {
    const int enabled = !package.disabled ? 0 : package.disabledBySystem ? 2 : 3;
    return "Packages:\n  Package [" + package.name.toUtf8() + "] (4f2a1c0):\n    userId=10123\n" +
           "    User 0: ceDataInode=4242 installed=" +
           (package.uninstalledForUser ? "false" : "true") +
           " hidden=false suspended=false stopped=false notLaunched=false enabled=" +
           QByteArray::number(enabled) + " instant=false virtual=false\n";
}

// What the changes the program makes do to the phone: freezing and enabling a package ("pm
// disable-user [--user N] NAME", "pm enable NAME"), removing it for user 0 and installing it
// again ("pm uninstall -k --user 0 NAME", "cmd package install-existing NAME"), settings ("settings
// put NS KEY VALUE", "settings delete NS KEY"; the value read as the phone's shell reads it) and
// the window manager's density and size ("wm density N|reset", "wm size WxH|reset"). The phone
// then reads back as it stands.
void SimulatedAdbServer::change(const QString& command) {
    const QStringList words = shellWords(command);
    const auto starts = [&words](std::initializer_list<QStringView> lead) {
        return words.size() > static_cast<qsizetype>(lead.size()) &&
               std::equal(lead.begin(), lead.end(), words.begin());
    };
    const auto forPackage = [this, &words](const std::function<void(SimulatedPackage&)>& apply) {
        for (SimulatedPackage& package : phone.packages) {
            if (package.name == words.constLast()) {
                apply(package);
            }
        }
    };
    if (starts({u"pm", u"disable-user"}) || starts({u"pm", u"enable"})) {
        const bool disable = words.at(1) == u"disable-user";
        forPackage([disable](SimulatedPackage& package) {
            package.disabled = disable;
            package.disabledBySystem = false;
        });
    } else if (starts({u"pm", u"uninstall", u"-k", u"--user", u"0"})) {
        forPackage([](SimulatedPackage& package) { package.uninstalledForUser = true; });
    } else if (starts({u"cmd", u"package", u"install-existing"})) {
        forPackage([](SimulatedPackage& package) { package.uninstalledForUser = false; });
    } else if (starts({u"settings", u"put"}) && words.size() >= 5) {
        phone.settings.insert(words.at(2) + u'/' + words.at(3), words.mid(4).join(u' '));
    } else if (starts({u"settings", u"delete"}) && words.size() == 4) {
        phone.settings.remove(words.at(2) + u'/' + words.at(3));
    } else if (starts({u"wm", u"density"}) && words.size() == 3) {
        phone.densityOverride =
            words.at(2) == u"reset" ? std::nullopt : std::optional<int>(words.at(2).toInt());
    } else if (starts({u"wm", u"size"}) && words.size() == 3) {
        phone.sizeOverride = words.at(2) == u"reset" ? QString() : words.at(2);
    }
}

// The phone's answer to a command of its shell. A sequence "A; B; …" runs each command in turn,
// "COMMAND 2>&1" joins a command's errors to its output, and "echo WORDS" prints its words with
// "$?" the exit code of the command before.
ShellAnswer SimulatedAdbServer::answer(const QString& command) const {
    if (command.contains(u';')) {
        ShellAnswer all;
        for (QString part : command.split(u';')) {
            part = part.trimmed();
            const bool joined = part.endsWith(u" 2>&1");
            if (joined) {
                part.chop(5);
            }
            ShellAnswer one;
            if (part.startsWith(u"echo ")) {
                one.out = part.mid(5)
                              .replace(QStringLiteral("$?"), QString::number(all.exitCode))
                              .toUtf8() +
                          '\n';
            } else {
                one = answer(part);
            }
            if (joined) {
                one.out += std::exchange(one.err, {});
            }
            all.out += one.out;
            all.err += one.err;
            all.exitCode = one.exitCode;
        }
        return all;
    }
    const QStringList words = shellWords(command);
    const auto is = [&words](std::initializer_list<QStringView> expected) {
        return words.size() == static_cast<qsizetype>(expected.size()) &&
               std::equal(expected.begin(), expected.end(), words.begin());
    };
    if (words.isEmpty()) {
        return {};
    }
    if (words.size() >= 3 && words.at(0) == u"pm" && words.at(1) == u"list" &&
        words.at(2) == u"packages") {
        return listPackages(phone.packages, words.mid(3));
    }
    if (words.size() == 3 && words.at(0) == u"dumpsys" && words.at(1) == u"package") {
        for (const SimulatedPackage& package : phone.packages) {
            if (package.name == words.at(2)) {
                return {packageDump(package), {}, 0};
            }
        }
        return {"Unable to find package: " + words.at(2).toUtf8() + '\n', {}, 0};
    }
    // A package change fails on a package the user does not have, as the package manager's do.
    if (words.size() >= 3 && (words.at(0) == u"pm" && words.at(1) != u"list")) {
        const bool has = std::any_of(
            phone.packages.cbegin(), phone.packages.cend(), [&words](const SimulatedPackage& p) {
                return p.name == words.constLast() && !p.uninstalledForUser;
            });
        if (!has) {
            return {"Failure [not installed for 0]\n", {}, 1};
        }
    }
    if (words.size() == 4 && words.at(0) == u"settings" && words.at(1) == u"get") {
        const QString key = words.at(2) + u'/' + words.at(3);
        return {phone.settings.value(key, QStringLiteral("null")).toUtf8() + '\n', {}, 0};
    }
    if (is({u"wm", u"density"})) {
        QByteArray out = "Physical density: " + QByteArray::number(phone.density) + '\n';
        if (phone.densityOverride) {
            out += "Override density: " + QByteArray::number(*phone.densityOverride) + '\n';
        }
        return {out, {}, 0};
    }
    if (is({u"wm", u"size"})) {
        QByteArray out = "Physical size: " + phone.size.toUtf8() + '\n';
        if (!phone.sizeOverride.isEmpty()) {
            out += "Override size: " + phone.sizeOverride.toUtf8() + '\n';
        }
        return {out, {}, 0};
    }
    if (is({u"wm", u"overscan"})) {
        // The window manager wants the insets or "reset"; it has nothing to read back.
        return {{},
                "\nException occurred while executing 'overscan':\n"
                "java.lang.IllegalArgumentException: Argument expected after \"overscan\"\n",
                255};
    }
    if (!isPhoneProgram(words.front())) {
        return {
            {}, "/system/bin/sh: " + words.front().toUtf8() + ": inaccessible or not found\n", 127};
    }
    return {"Success\n", {}, 0};
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
