#include "platform/loopback_stream.h"

#include <QSocketNotifier>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kavu {

namespace {

// What the stream holds of unread input before it stops taking more from the socket.
constexpr std::size_t kInputLimit = 1 << 17;
constexpr std::size_t kChunk = 1 << 16;

} // namespace

struct LoopbackStream::Native {
    explicit Native(LoopbackStream& owner)
        : owner(owner) {}

    void close();
    // Ends the connection and reports it, unless a handler already started another one.
    void fail(unsigned failing);
    void failLater();
    void receive();
    void writeReady();
    bool send();
    void watchOutput() { writable->setEnabled(connecting || !output.empty()); }

    LoopbackStream& owner;
    int socket = -1;
    bool connecting = false;
    // Counts connections, so that a report meant for an earlier one is recognised and dropped.
    unsigned generation = 0;
    // Children of the stream; a closed connection's notifiers are deleted from the event loop,
    // since a handler of theirs may be the one closing it.
    QSocketNotifier* readable = nullptr;
    QSocketNotifier* writable = nullptr;
    std::string input;
    std::string output;
};

void LoopbackStream::Native::close() {
    ++generation;
    for (QSocketNotifier** notifier : {&readable, &writable}) {
        if (*notifier != nullptr) {
            (*notifier)->setEnabled(false);
            (*notifier)->deleteLater();
            *notifier = nullptr;
        }
    }
    if (socket >= 0) {
        ::close(socket);
        socket = -1;
    }
    connecting = false;
    input.clear();
    output.clear();
}

void LoopbackStream::Native::fail(unsigned failing) {
    if (generation != failing) {
        return;
    }
    close();
    emit owner.closed();
}

// Reports from the event loop, like every other report, so that no signal arrives while the
// caller of connectToPort is still inside it.
void LoopbackStream::Native::failLater() {
    QMetaObject::invokeMethod(
        &owner, [this, failing = generation] { fail(failing); }, Qt::QueuedConnection);
}

void LoopbackStream::Native::receive() {
    const unsigned current = generation;
    bool ended = false;
    while (input.size() < kInputLimit) {
        char chunk[kChunk];
        const ssize_t got = ::recv(socket, chunk, std::min(kChunk, kInputLimit - input.size()), 0);
        if (got > 0) {
            input.append(chunk, static_cast<std::size_t>(got));
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            ended = got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            break;
        }
    }
    if (input.size() >= kInputLimit) {
        readable->setEnabled(false); // until the reader makes room
    }
    if (!input.empty()) {
        emit owner.readyRead();
    }
    if (ended) {
        fail(current);
    }
}

// Sends what it can; false when the connection broke.
bool LoopbackStream::Native::send() {
    while (!output.empty()) {
        const ssize_t sent = ::send(socket, output.data(), output.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            output.erase(0, static_cast<std::size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else {
            return sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        }
    }
    return true;
}

void LoopbackStream::Native::writeReady() {
    const unsigned current = generation;
    if (connecting) {
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            fail(current);
            return;
        }
        connecting = false;
        readable->setEnabled(true);
        watchOutput();
        emit owner.connected();
        if (generation != current) {
            return;
        }
    }
    if (!send()) {
        fail(current);
        return;
    }
    watchOutput();
}

LoopbackStream::LoopbackStream(QObject* parent)
    : QObject(parent)
    , m_native(new Native(*this)) {}

// The notifiers go with the stream's children.
LoopbackStream::~LoopbackStream() {
    if (m_native->socket >= 0) {
        ::close(m_native->socket);
    }
}

void LoopbackStream::abort() {
    m_native->close();
}

void LoopbackStream::connectToPort(quint16 port) {
    Native& n = *m_native;
    n.close();
    n.socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (n.socket < 0) {
        n.failLater();
        return;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(n.socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS) {
        n.failLater();
        return;
    }
    // Even a connection made at once is reported through the writable notifier.
    n.connecting = true;
    n.readable = new QSocketNotifier(n.socket, QSocketNotifier::Read, this);
    n.readable->setEnabled(false);
    n.writable = new QSocketNotifier(n.socket, QSocketNotifier::Write, this);
    QObject::connect(n.readable, &QSocketNotifier::activated, this, [&n] { n.receive(); });
    QObject::connect(n.writable, &QSocketNotifier::activated, this, [&n] { n.writeReady(); });
}

void LoopbackStream::write(std::string_view bytes) {
    Native& n = *m_native;
    if (n.socket < 0) {
        return;
    }
    n.output.append(bytes);
    if (!n.connecting) {
        n.watchOutput();
    }
}

std::string LoopbackStream::takeInput() {
    Native& n = *m_native;
    std::string taken = std::move(n.input);
    n.input.clear();
    if (n.readable != nullptr && !n.connecting) {
        n.readable->setEnabled(true);
    }
    return taken;
}

} // namespace kavu
