#include "platform/server_stream.h"

#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

namespace kavu {

namespace {

// What the stream holds of unread input before it stops taking more from the socket.
constexpr std::size_t kInputLimit = 1 << 17;
constexpr std::size_t kChunk = 1 << 16;

// A socket address of either family.
struct Address {
    sockaddr_storage storage{};
    socklen_t size = 0;
};

template <class Socket> Address addressOf(const Socket& socket) {
    Address address;
    std::memcpy(&address.storage, &socket, sizeof socket);
    address.size = sizeof socket;
    return address;
}

// The address when host is empty (127.0.0.1) or a numeric IPv4 or IPv6 address; else none.
std::optional<Address> numericAddress(const std::string& host, quint16 port) {
    sockaddr_in v4{};
    v4.sin_family = AF_INET;
    v4.sin_port = htons(port);
    if (host.empty()) {
        v4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return addressOf(v4);
    }
    if (::inet_pton(AF_INET, host.c_str(), &v4.sin_addr) == 1) {
        return addressOf(v4);
    }
    sockaddr_in6 v6{};
    v6.sin6_family = AF_INET6;
    v6.sin6_port = htons(port);
    if (::inet_pton(AF_INET6, host.c_str(), &v6.sin6_addr) == 1) {
        return addressOf(v6);
    }
    return std::nullopt;
}

// The first address the system's resolver gives for a host name, an IPv4 one where there is one
// (adb servers listen on IPv4); blocks while it asks.
std::optional<Address> lookUp(const std::string& host, quint16 port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    for (const int family : {AF_INET, AF_UNSPEC}) {
        hints.ai_family = family;
        if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) == 0 && found != nullptr) {
            break;
        }
        found = nullptr;
    }
    if (found == nullptr) {
        return std::nullopt;
    }
    std::optional<Address> address;
    if (found->ai_addrlen <= sizeof(sockaddr_storage)) {
        address.emplace();
        std::memcpy(&address->storage, found->ai_addr, found->ai_addrlen);
        address->size = found->ai_addrlen;
    }
    ::freeaddrinfo(found);
    return address;
}

// The address as numeric text, as numericAddress reads it back.
std::optional<std::string> numericText(const Address& address) {
    char text[INET6_ADDRSTRLEN] = {};
    const void* bytes = nullptr;
    if (address.storage.ss_family == AF_INET) {
        bytes = &reinterpret_cast<const sockaddr_in*>(&address.storage)->sin_addr;
    } else if (address.storage.ss_family == AF_INET6) {
        bytes = &reinterpret_cast<const sockaddr_in6*>(&address.storage)->sin6_addr;
    } else {
        return std::nullopt;
    }
    if (::inet_ntop(address.storage.ss_family, bytes, text, sizeof text) == nullptr) {
        return std::nullopt;
    }
    return std::string(text);
}

} // namespace

struct ServerStream::Native {
    explicit Native(ServerStream& owner)
        : owner(owner) {}

    void close();
    // Starts connecting to the address; `connected` or `closed` follows from the event loop.
    void open(const Address& address);
    // Ends the connection and reports it, unless a handler already started another one.
    void fail(unsigned failing);
    void failLater();
    void receive();
    // Reads what the socket holds into the input; true when the connection ended.
    bool pull();
    void watchInput() {
        if (readable != nullptr) {
            readable->setEnabled(!connecting && !held && input.size() < kInputLimit);
        }
    }
    void writeReady();
    std::optional<std::size_t> sendSome(std::string_view bytes) const;
    bool send();
    void watchOutput() { writable->setEnabled(connecting || !output.empty()); }

    ServerStream& owner;
    int socket = -1;
    bool connecting = false;
    bool held = false;
    // Counts connections, so that a report meant for an earlier one is recognised and dropped.
    unsigned generation = 0;
    // Children of the stream; a closed connection's notifiers are deleted from the event loop,
    // since a handler of theirs may be the one closing it.
    QSocketNotifier* readable = nullptr;
    QSocketNotifier* writable = nullptr;
    std::string input;
    std::string output;
    // Where the connection under way was found, while it has not been made: forgotten when it
    // fails.
    std::shared_ptr<HostAddresses> addresses;
    std::string host;
};

void ServerStream::Native::close() {
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
    held = false;
    input.clear();
    output.clear();
}

void ServerStream::Native::fail(unsigned failing) {
    if (generation != failing) {
        return;
    }
    if (addresses != nullptr) {
        addresses->forget(host);
        addresses.reset();
    }
    close();
    emit owner.closed();
}

// Reports from the event loop, like every other report, so that no signal arrives while the
// caller of connectTo is still inside it.
void ServerStream::Native::failLater() {
    QMetaObject::invokeMethod(
        &owner, [this, failing = generation] { fail(failing); }, Qt::QueuedConnection);
}

void ServerStream::Native::open(const Address& address) {
    socket = ::socket(address.storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        failLater();
        return;
    }
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address.storage), address.size) != 0 &&
        errno != EINPROGRESS) {
        failLater();
        return;
    }
    // Even a connection made at once is reported through the writable notifier.
    connecting = true;
    readable = new QSocketNotifier(socket, QSocketNotifier::Read, &owner);
    readable->setEnabled(false);
    writable = new QSocketNotifier(socket, QSocketNotifier::Write, &owner);
    QObject::connect(readable, &QSocketNotifier::activated, &owner, [this] { receive(); });
    QObject::connect(writable, &QSocketNotifier::activated, &owner, [this] { writeReady(); });
}

void ServerStream::Native::receive() {
    const unsigned current = generation;
    const bool ended = pull();
    if (!input.empty()) {
        emit owner.readyRead();
    }
    if (ended) {
        fail(current);
    }
}

bool ServerStream::Native::pull() {
    bool ended = false;
    while (input.size() < kInputLimit) {
        char chunk[kChunk];
        const std::size_t asked = std::min(kChunk, kInputLimit - input.size());
        const ssize_t got = ::recv(socket, chunk, asked, 0);
        if (got > 0) {
            input.append(chunk, static_cast<std::size_t>(got));
            if (static_cast<std::size_t>(got) < asked) {
                break; // all there was; more (or the end) wakes the notifier again
            }
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            ended = got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            break;
        }
    }
    watchInput(); // off while full, until the reader makes room
    return ended;
}

// Sends what it can of bytes; how much, or nothing when the connection broke.
std::optional<std::size_t> ServerStream::Native::sendSome(std::string_view bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = ::send(socket, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent > 0) {
            done += static_cast<std::size_t>(sent);
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            return std::nullopt;
        }
    }
    return done;
}

// Sends what it can of the output; false when the connection broke.
bool ServerStream::Native::send() {
    const std::optional<std::size_t> sent = sendSome(output);
    if (sent) {
        output.erase(0, *sent);
    }
    return sent.has_value();
}

void ServerStream::Native::writeReady() {
    const unsigned current = generation;
    if (connecting) {
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            fail(current);
            return;
        }
        connecting = false;
        addresses.reset();
        watchInput();
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

ServerStream::ServerStream(QObject* parent)
    : QObject(parent)
    , m_native(new Native(*this)) {}

// The notifiers go with the stream's children.
ServerStream::~ServerStream() {
    if (m_native->socket >= 0) {
        ::close(m_native->socket);
    }
}

void ServerStream::abort() {
    m_native->close();
}

void ServerStream::connectTo(const std::string& host, quint16 port,
                             std::shared_ptr<HostAddresses> addresses) {
    Native& n = *m_native;
    n.close();
    n.addresses.reset();
    if (const std::optional<Address> address = numericAddress(host, port)) {
        n.open(*address);
        return;
    }
    if (addresses != nullptr) {
        if (const std::optional<std::string> numeric = addresses->find(host)) {
            if (const std::optional<Address> address = numericAddress(*numeric, port)) {
                n.addresses = std::move(addresses);
                n.host = host;
                n.open(*address);
                return;
            }
        }
    }
    // A host name is looked up on a thread of its own: a slow resolver never stalls the windows.
    // The stream may be gone or connecting elsewhere when the answer comes; then it is dropped.
    auto found = std::make_shared<std::optional<Address>>();
    QThread* lookup = QThread::create([host, port, found] { *found = lookUp(host, port); });
    QObject::connect(lookup, &QThread::finished, lookup, &QObject::deleteLater);
    QObject::connect(lookup, &QThread::finished, this,
                     [&n, found, host, addresses, asked = n.generation] {
                         if (n.generation != asked) {
                             return;
                         }
                         if (!*found) {
                             n.fail(asked);
                             return;
                         }
                         if (addresses != nullptr) {
                             if (const std::optional<std::string> numeric = numericText(**found)) {
                                 addresses->keep(host, *numeric);
                                 n.addresses = addresses;
                                 n.host = host;
                             }
                         }
                         n.open(**found);
                     });
    lookup->start();
}

void ServerStream::write(std::string_view bytes) {
    Native& n = *m_native;
    if (n.socket < 0) {
        return;
    }
    // With nothing queued before them, the bytes go at once: a short write (a tap) needs no
    // wake-up of its own. A break is reported from the event loop, as every other report.
    if (!n.connecting && n.output.empty()) {
        const std::optional<std::size_t> sent = n.sendSome(bytes);
        if (!sent) {
            n.failLater();
            return;
        }
        bytes.remove_prefix(*sent);
    }
    n.output.append(bytes);
    if (!n.connecting) {
        n.watchOutput();
    }
}

std::string ServerStream::takeInput() {
    Native& n = *m_native;
    std::string taken = std::move(n.input);
    n.input.clear();
    n.watchInput();
    return taken;
}

void ServerStream::holdInput(bool held) {
    Native& n = *m_native;
    n.held = held;
    n.watchInput();
}

std::string ServerStream::readNow() {
    Native& n = *m_native;
    if (n.socket < 0 || n.connecting) {
        return {};
    }
    const bool ended = n.pull();
    std::string taken = takeInput();
    if (ended) {
        // Nothing more goes out; the end is reported from the event loop.
        n.close();
        QMetaObject::invokeMethod(
            this,
            [this, closing = n.generation] {
                if (m_native->generation == closing) {
                    emit closed();
                }
            },
            Qt::QueuedConnection);
    }
    return taken;
}

bool ServerStream::isOpen() const {
    return m_native->socket >= 0 && !m_native->connecting;
}

} // namespace kavu
