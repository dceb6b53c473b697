#pragma once

#include <QObject>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace kavu {

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
    // follows.
    void connectTo(const std::string& host, quint16 port);
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
