#pragma once

#include "devices/adb_server.h"
#include "devices/line_shell.h"

#include <QObject>
#include <QString>

#include <optional>
#include <string>

class QTimer;

namespace kavu {

class ServerStream;

// Whether a tap may go to the phone now: fewer than the most outstanding are still running there.
bool mayWrite(int written, int done, int mostOutstanding);

// One phone's open shell for a run of taps: the taps are written into it as lines that the phone
// runs in the background, at most mostOutstanding of them running at once; a tap due while that
// many are running is skipped and counted. One connection to the adb server, in the event loop.
class TapSession final : public QObject {
    Q_OBJECT

public:
    TapSession(const AdbServer& server, std::string serial, int mostOutstanding,
               QObject* parent = nullptr);
    ~TapSession() override;

    const std::string& serial() const { return m_serial; }
    bool isOpen() const { return m_shell.open(); }
    // Writes the phone command (the program's own text), or skips it: false when skipped.
    bool write(std::string_view command);
    int written() const { return m_written; }
    int skipped() const { return m_skipped; }
    int outstanding() const { return m_written - m_done; }
    // Ends the session: nothing more is written, standard input is closed after what was written,
    // and the session deletes itself once the phone's shell ended the connection (or after a
    // moment). No signal follows.
    void close();

signals:
    // The shell is open: taps may be written.
    void opened();
    // It could not open, or it ended (the phone left, the server went away), and why. Sent once;
    // not after close().
    void ended(const kavu::adb::ShellResult& why);

private:
    void read();
    // Takes the shell's output: the markers of ended taps, or its end.
    void take(const std::string& bytes);
    void end(const adb::ShellResult& result);

    std::string m_serial;
    int m_mostOutstanding;
    ServerStream* m_stream;
    QTimer* m_openLimit;
    adb::LineShell m_shell;
    int m_written = 0;
    int m_done = 0;
    int m_skipped = 0;
    bool m_ended = false;
    bool m_closing = false;
};

} // namespace kavu
