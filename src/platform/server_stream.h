#pragma once

#include <QObject>

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kavu {

// Where host names were found, for connections made again and again to one server: a name is
// looked up once, and again after a connection to what it gave failed. Kept by whoever connects.
class HostAddresses {
public:
    // The numeric address the name was found at; none when it was not looked up or was forgotten.
    std::optional<std::string> find(const std::string& host) const {
        const auto found = m_numeric.find(host);
        return found == m_numeric.end() ? std::nullopt : std::optional(found->second);
    }
    void keep(const std::string& host, std::string numeric) {
        m_numeric[host] = std::move(numeric);
    }
    void forget(const std::string& host) { m_numeric.erase(host); }

private:
    std::map<std::string, std::string> m_numeric;
};

// A TCP connection to an adb server, on this computer or another, driven by the event loop. It
// carries the adb host protocol, so it stays as small as that needs: connect, write a short
// request, read what arrives, and learn when the connection ended. On Linux it sits on the socket
// directly, which keeps the Qt Network module (and the libraries it loads) out of the program.
class ServerStream final : public QObject {
    Q_OBJECT

public:
    explicit ServerStream(QObject* parent = nullptr);
    ~ServerStream() override;

    // Drops any connection, then connects afresh to host (an IPv4 or IPv6 address or a host name,
    // looked up away from the event loop; empty: 127.0.0.1) at port; `connected` or `closed`
    // follows. With addresses, a name found there is not looked up again, one looked up is kept
    // there, and one whose connection failed is forgotten.
    void connectTo(const std::string& host, quint16 port,
                   std::shared_ptr<HostAddresses> addresses = {});
    // Drops the connection at once, without a signal.
    void abort();
    // Queues bytes for sending; they go out as the connection accepts them.
    void write(std::string_view bytes);
    // Takes what has arrived. The stream holds at most 128 KiB unread and reads on once it was
    // taken.
    std::string takeInput();
    // While held, what arrives waits in the connection, unannounced: a reader that only needs it
    // when it writes next takes it then with readNow(), and the event loop is not woken for each
    // reply. An ended connection is still reported (by `closed`, from the event loop), once
    // readNow() or a write meets the end. Released, `readyRead` follows for what waits.
    void holdInput(bool held);
    // Takes what has arrived by now, without waiting for more.
    std::string readNow();
    // Connected, and not known to have ended.
    bool isOpen() const;

signals:
    void connected();
    // Bytes are waiting; `read` takes them.
    void readyRead();
    // The connection failed, was refused, or ended; sent once per connection.
    void closed();

private:
    struct Native;
    std::unique_ptr<Native> m_native;
};

} // namespace kavu
