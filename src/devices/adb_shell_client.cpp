#include "devices/adb_shell_client.h"

#include "platform/server_stream.h"

#include <QTimer>

namespace kavu {

AdbShellRequest::AdbShellRequest(AdbServer server, std::string serial,
                                 const adb::PhoneCommand& command, const ShellLimits& limits,
                                 QObject* parent, std::shared_ptr<HostAddresses> addresses)
    : QObject(parent)
    , m_server(std::move(server))
    , m_addresses(std::move(addresses))
    , m_serial(std::move(serial))
    , m_command(command)
    , m_outputLimit(limits.outputBytes)
    , m_stream(new ServerStream(this))
    , m_timeLimit(new QTimer(this)) {
    m_timeLimit->setSingleShot(true);
    m_timeLimit->setInterval(limits.timeout);
    connect(m_timeLimit, &QTimer::timeout, this,
            [this] { finish(adb::failure(adb::ShellError::TimedOut)); });
    connect(m_stream, &ServerStream::connected, this, &AdbShellRequest::sendOpening);
    connect(m_stream, &ServerStream::readyRead, this, &AdbShellRequest::read);
    connect(m_stream, &ServerStream::closed, this, &AdbShellRequest::closed);
    // From the event loop, so that the caller connects to `finished` first.
    QTimer::singleShot(0, this, &AdbShellRequest::start);
}

AdbShellRequest::~AdbShellRequest() = default;

void AdbShellRequest::start() {
    if (m_ended) {
        return;
    }
    if (std::optional<adb::ShellResult> refused = adb::refusedBeforeSending(m_serial, m_command)) {
        finish(std::move(*refused));
        return;
    }
    m_timeLimit->start();
    m_features.emplace(m_serial);
    m_stream->connectTo(m_server.host, m_server.port, m_addresses);
}

void AdbShellRequest::cancel() {
    finish(adb::failure(adb::ShellError::Cancelled));
}

void AdbShellRequest::sendOpening() {
    m_stream->write(m_session ? m_session->opening() : m_features->opening());
}

void AdbShellRequest::read() {
    const std::string bytes = m_stream->takeInput();
    if (m_session) {
        const std::string reply = m_session->take(bytes);
        if (m_session->finished()) {
            finish(*m_session->result());
        } else if (!reply.empty()) {
            m_stream->write(reply);
        }
        return;
    }
    m_features->take(bytes);
    if (!m_features->finished()) {
        return;
    }
    if (m_features->failed()) {
        finish(*m_features->failed());
        return;
    }
    // The server ends the features connection; the command gets a connection of its own.
    m_session.emplace(m_serial, m_command.text(), m_features->shellV2(), m_outputLimit);
    m_stream->connectTo(m_server.host, m_server.port, m_addresses);
}

void AdbShellRequest::closed() {
    if (m_session) {
        m_session->ended();
        finish(*m_session->result());
    } else {
        m_features->ended();
        finish(*m_features->failed());
    }
}

void AdbShellRequest::finish(adb::ShellResult result) {
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_timeLimit->stop();
    m_stream->abort();
    m_session.reset();
    m_features.reset();
    emit finished(result);
    deleteLater();
}

AdbShellClient::AdbShellClient(QObject* parent)
    : AdbShellClient(serverFromEnvironment(), ShellLimits{}, parent) {}

AdbShellClient::AdbShellClient(AdbServer server, ShellLimits limits, QObject* parent)
    : QObject(parent)
    , m_server(std::move(server))
    , m_limits(limits) {}

AdbShellRequest* AdbShellClient::run(const std::string& serial, const adb::PhoneCommand& command) {
    return new AdbShellRequest(m_server, serial, command, m_limits, this, m_addresses);
}

} // namespace kavu
