#pragma once

#include "platform/services.h"

#include <QByteArrayView>
#include <QObject>
#include <QStringList>

class QTimer;

namespace kavu {

// The serials "fastboot devices" printed, one "SERIAL<TAB>fastboot" line per phone, in order,
// each once: a line without a mode after its serial, a serial that could not reach a console
// whole, and anything past the first kMostFastbootPhones phones are left out.
inline constexpr qsizetype kMostFastbootPhones = 256;
QStringList fastbootSerials(QByteArrayView listing);

// The phones in fastboot mode, listed in the background while someone needs them (a window that
// sends fastboot lines is open): "fastboot devices" every two seconds as a hidden run, at most one
// at a time, its output read as data. The list is empty while nobody needs it.
class FastbootWatch final : public QObject {
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 2000;

    explicit FastbootWatch(ProcessStarter& processes, QObject* parent = nullptr);

    // Someone needs the list from now on, until they release it.
    void hold();
    void release();

    const QStringList& serials() const { return m_serials; }

signals:
    void changed();

private:
    void ask();
    void listed(const RunEnd& end);

    ProcessStarter& m_processes;
    QTimer* m_timer;
    int m_holders = 0;
    bool m_asking = false;
    // A listing that could not start is not tried again: its reason was shown once.
    bool m_cannotStart = false;
    QStringList m_serials;
};

} // namespace kavu
