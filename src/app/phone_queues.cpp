#include "app/phone_queues.h"

#include <QTimer>

namespace kavu {

PhoneQueues::PhoneQueues(StartLine start, IsReady isReady, Skipped skipped)
    : m_start(std::move(start))
    , m_isReady(std::move(isReady))
    , m_skipped(std::move(skipped)) {}

PhoneQueues::Queue& PhoneQueues::queueFor(const QString& serial) {
    if (!m_queues.contains(serial)) {
        // A new queue goes on once the click that made it has queued all its lines.
        QTimer::singleShot(0, &m_timers, [this, serial] { goOn(serial); });
    }
    return m_queues[serial];
}

void PhoneQueues::add(const QString& serial, Line line) {
    queueFor(serial).steps.push_back(std::move(line));
}

void PhoneQueues::addPause(const QString& serial, int milliseconds) {
    queueFor(serial).steps.push_back(milliseconds);
}

void PhoneQueues::goOn(const QString& serial) {
    const auto found = m_queues.find(serial);
    if (found == m_queues.end()) {
        return;
    }
    Queue& queue = found->second;
    while (!queue.steps.empty() && std::holds_alternative<int>(queue.steps.front())) {
        const int milliseconds = std::get<int>(queue.steps.front());
        queue.steps.pop_front();
        if (milliseconds > 0) {
            QTimer::singleShot(milliseconds, Qt::PreciseTimer, &m_timers,
                               [this, serial] { goOn(serial); });
            return;
        }
    }
    if (queue.steps.empty()) {
        m_queues.erase(found);
        return;
    }
    due(serial);
}

void PhoneQueues::due(const QString& serial) {
    m_due.push_back(serial);
    scheduleTurn();
}

void PhoneQueues::scheduleTurn() {
    if (m_turnScheduled || m_due.empty()) {
        return;
    }
    m_turnScheduled = true;
    QTimer::singleShot(0, &m_timers, [this] { takeTurn(); });
}

void PhoneQueues::takeTurn() {
    m_turnScheduled = false;
    if (m_due.empty()) {
        return;
    }
    const QString serial = m_due.front();
    m_due.pop_front();
    const auto found = m_queues.find(serial);
    if (found != m_queues.end()) {
        if (!m_isReady(serial)) {
            m_queues.erase(found);
            m_skipped(serial);
        } else {
            const Line line = std::get<Line>(found->second.steps.front());
            found->second.steps.pop_front();
            m_start(line);
            goOn(serial);
        }
    }
    scheduleTurn();
}

} // namespace kavu
