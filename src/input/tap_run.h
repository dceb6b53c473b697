#pragma once

#include "app/command.h"
#include "devices/adb_server.h"

#include <QObject>
#include <QStringList>

#include <vector>

namespace kavu {

class TapSession;

namespace adb {
struct ShellResult;
}

// The taps of one touch run through open shells, one per phone: every tap goes to each phone, each
// phone running at most mostOutstanding of them at once and skipping (and counting) a tap due
// while it is that busy. No process is started on this computer per tap.
class TapRun final : public QObject {
    Q_OBJECT

public:
    // The taps a phone may have running at once.
    static constexpr int kMostOutstanding = 4;

    TapRun(const AdbServer& server, const QStringList& serials, QObject* parent = nullptr);
    ~TapRun() override;

    // Ends the run: nothing more is written or signalled, each phone's shell takes the taps
    // already written and ends, and the run deletes itself once they have (with its parent, at
    // the latest, dropping what is left).
    void close();

    const QStringList& serials() const { return m_serials; }
    bool isReady() const { return m_ready; }
    // Writes the phone command (built from the program's own checked parts) to every phone.
    void write(const Command& phoneCommand);
    // Summed over the phones.
    int written() const;
    int skipped() const;
    // One phone's.
    int writtenTo(const QString& serial) const;
    int skippedFor(const QString& serial) const;

signals:
    // Every phone's shell is open.
    void ready();
    // A phone's shell could not open: the run goes on without shells.
    void failed(const kavu::adb::ShellResult& why);
    // A phone's shell ended during the run (the phone left): the run stops.
    void lost(const QString& serial, const kavu::adb::ShellResult& why);

private:
    const TapSession* sessionOf(const QString& serial) const;

    QStringList m_serials;
    std::vector<TapSession*> m_sessions;
    bool m_ready = false;
};

} // namespace kavu
