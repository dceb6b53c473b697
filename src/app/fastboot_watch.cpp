#include "app/fastboot_watch.h"

#include "devices/device_state.h"

#include <QPointer>
#include <QTimer>

namespace kavu {

QStringList fastbootSerials(QByteArrayView listing) {
    QStringList serials;
    for (const QByteArray& line : listing.toByteArray().split('\n')) {
        if (serials.size() >= kMostFastbootPhones) {
            break;
        }
        const QByteArray trimmed = line.trimmed();
        // fastboot separates the serial from its mode with a tab; some versions pad with blanks.
        qsizetype gap = 0;
        while (gap < trimmed.size() && trimmed[gap] != '\t' && trimmed[gap] != ' ') {
            ++gap;
        }
        if (gap == 0 || gap == trimmed.size()) {
            continue;
        }
        const QByteArray serial = trimmed.left(gap);
        if (!devices::isUsableSerial(std::string_view(serial.constData(), serial.size()))) {
            continue;
        }
        const QString text = QString::fromUtf8(serial);
        if (!serials.contains(text)) {
            serials << text;
        }
    }
    return serials;
}

FastbootWatch::FastbootWatch(ProcessStarter& processes, QObject* parent)
    : QObject(parent)
    , m_processes(processes)
    , m_timer(new QTimer(this)) {
    m_timer->setInterval(kIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &FastbootWatch::ask);
}

void FastbootWatch::hold() {
    if (m_holders++ == 0) {
        m_timer->start();
        ask();
    }
}

void FastbootWatch::release() {
    if (m_holders == 0 || --m_holders > 0) {
        return;
    }
    m_timer->stop();
    if (!m_serials.isEmpty()) {
        m_serials.clear();
        emit changed();
    }
}

void FastbootWatch::ask() {
    if (m_asking || m_cannotStart || m_holders == 0) {
        return;
    }
    m_asking = true;
    const QPointer<FastbootWatch> self(this);
    const bool started = m_processes.start(
        QStringLiteral("cmd /c fastboot devices"), launch::WindowMode::Hidden,
        StartEnvironment{std::nullopt, std::nullopt, {}}, [self](const RunEnd& end) {
            if (self) {
                self->listed(end);
            }
        });
    if (!started) {
        m_asking = false;
        m_cannotStart = true;
    }
}

void FastbootWatch::listed(const RunEnd& end) {
    m_asking = false;
    // A fastboot that failed lists nothing; the phones are gone from the list until it answers.
    QStringList serials =
        m_holders > 0 && end.exitCode == 0 ? fastbootSerials(end.outputTail) : QStringList();
    if (serials != m_serials) {
        m_serials = std::move(serials);
        emit changed();
    }
}

} // namespace kavu
