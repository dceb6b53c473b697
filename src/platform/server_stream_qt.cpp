#include "platform/server_stream.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace kavu {

namespace {

// What the stream holds of unread input before it stops taking more from the socket.
constexpr qint64 kInputLimit = 1 << 17;

} // namespace

// On Windows the stream is Qt's own socket, which the Windows build carries anyway.
struct ServerStream::Native {
    QTcpSocket socket;
    // Set while the connection is being dropped on purpose, and once its end was reported.
    bool quiet = true;
    // Arrivals are not announced (Qt's socket reads them in any case).
    bool held = false;
};

ServerStream::ServerStream(QObject* parent)
    : QObject(parent)
    , m_native(new Native) {
    QTcpSocket& socket = m_native->socket;
    socket.setReadBufferSize(kInputLimit);
    connect(&socket, &QTcpSocket::connected, this, &ServerStream::connected);
    connect(&socket, &QTcpSocket::readyRead, this, [this] {
        if (!m_native->held) {
            emit readyRead();
        }
    });
    const auto ended = [this] {
        if (!m_native->quiet) {
            m_native->quiet = true;
            m_native->socket.abort();
            emit closed();
        }
    };
    connect(&socket, &QTcpSocket::errorOccurred, this, ended);
    connect(&socket, &QTcpSocket::disconnected, this, ended);
}

ServerStream::~ServerStream() {
    abort();
}

void ServerStream::abort() {
    m_native->quiet = true;
    m_native->held = false;
    m_native->socket.abort();
}

// Qt keeps what its resolver found for a while itself.
void ServerStream::connectTo(const std::string& host, quint16 port,
                             std::shared_ptr<HostAddresses> /*addresses*/) {
    abort();
    m_native->quiet = false;
    if (host.empty()) {
        m_native->socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    } else {
        // Qt looks a host name up away from the event loop.
        m_native->socket.connectToHost(QString::fromStdString(host), port);
    }
}

void ServerStream::write(std::string_view bytes) {
    m_native->socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ServerStream::takeInput() {
    const QByteArray bytes = m_native->socket.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void ServerStream::holdInput(bool held) {
    m_native->held = held;
    if (!held && m_native->socket.bytesAvailable() > 0) {
        QMetaObject::invokeMethod(this, &ServerStream::readyRead, Qt::QueuedConnection);
    }
}

std::string ServerStream::readNow() {
    return takeInput();
}

bool ServerStream::isOpen() const {
    return !m_native->quiet && m_native->socket.state() == QAbstractSocket::ConnectedState;
}

} // namespace kavu
