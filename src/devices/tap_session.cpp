#include "devices/tap_session.h"

#include "platform/server_stream.h"

#include <QTimer>

namespace kavu {

namespace {

// How long the shell may take to open before the run goes on without it.
constexpr int kOpenLimitMs = 5000;
// How long a closing shell may take to end the connection before it is dropped.
constexpr int kCloseLimitMs = 2000;

} // namespace

bool mayWrite(int written, int done, int mostOutstanding) {
    return written - done < mostOutstanding;
}

TapSession::TapSession(const AdbServer& server, std::string serial, int mostOutstanding,
                       QObject* parent)
    : QObject(parent)
    , m_serial(std::move(serial))
    , m_mostOutstanding(mostOutstanding)
    , m_stream(new ServerStream(this))
    , m_openLimit(new QTimer(this))
    , m_shell(m_serial) {
    m_openLimit->setSingleShot(true);
    connect(m_openLimit, &QTimer::timeout, this,
            [this] { end(adb::failure(adb::ShellError::TimedOut)); });
    connect(m_stream, &ServerStream::connected, this,
            [this] { m_stream->write(m_shell.opening()); });
    connect(m_stream, &ServerStream::readyRead, this, &TapSession::read);
    connect(m_stream, &ServerStream::closed, this, [this] {
        m_shell.ended();
        end(*m_shell.result());
    });
    if (m_shell.opening().empty()) {
        QTimer::singleShot(0, this, [this] { end(adb::failure(adb::ShellError::InvalidRequest)); });
        return;
    }
    m_openLimit->start(kOpenLimitMs);
    m_stream->connectTo(server.host, server.port);
}

TapSession::~TapSession() = default;

bool TapSession::write(std::string_view command) {
    if (m_shell.open() && !m_ended) {
        // The markers of the taps that ended since the last one, read only now that they count.
        take(m_stream->readNow());
        // An end met here is told from the event loop, not from inside the write: the shell's
        // own, or the connection's (through its `closed`).
        if (m_shell.finished()) {
            QMetaObject::invokeMethod(
                this, [this] { end(*m_shell.result()); }, Qt::QueuedConnection);
        }
    }
    if (!m_shell.open() || m_ended || !m_stream->isOpen() ||
        !mayWrite(m_written, m_done, m_mostOutstanding)) {
        ++m_skipped;
        return false;
    }
    m_stream->write(adb::LineShell::lineFor(command));
    ++m_written;
    return true;
}

void TapSession::close() {
    if (m_closing) {
        return;
    }
    m_closing = true;
    disconnect(this, &TapSession::opened, nullptr, nullptr);
    disconnect(this, &TapSession::ended, nullptr, nullptr);
    if (m_ended || !m_shell.open()) {
        m_ended = true;
        m_stream->abort();
        deleteLater();
        return;
    }
    m_ended = true;
    // The lines written so far still go out; the shell ends once its standard input is closed,
    // and the server then ends the connection.
    m_stream->holdInput(false);
    m_stream->write(adb::LineShell::closing());
    connect(m_stream, &ServerStream::closed, this, &QObject::deleteLater);
    QTimer::singleShot(kCloseLimitMs, this, &QObject::deleteLater);
}

void TapSession::read() {
    const bool wasOpen = m_shell.open();
    take(m_stream->takeInput());
    if (m_shell.finished()) {
        end(*m_shell.result());
    } else if (!wasOpen && m_shell.open()) {
        m_openLimit->stop();
        // Once open, the markers wait until the next tap needs them: a tap costs one wake-up,
        // not two. The end of the connection is still reported.
        m_stream->holdInput(true);
        emit opened();
    }
}

void TapSession::take(const std::string& bytes) {
    if (bytes.empty()) {
        return;
    }
    const std::string reply = m_shell.take(bytes);
    if (!reply.empty()) {
        m_stream->write(reply);
    }
    m_done += m_shell.takeDone();
}

void TapSession::end(const adb::ShellResult& result) {
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_openLimit->stop();
    m_stream->abort();
    emit ended(result);
}

} // namespace kavu
