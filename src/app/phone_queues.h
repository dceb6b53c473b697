#pragma once

#include "app/start.h"

#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <map>
#include <variant>

namespace kavu {

// The lines of clicks made for every phone at once, one queue per phone: each phone's lines start
// in their order, with the pauses between them, its queue going on by itself beside the others'.
// One line starts a turn of the event loop, taking the phones in turn, so that the starts for many
// phones (each with its journal entry) never hold the windows up together. A phone that is not
// ready when its turn comes is skipped with what is left of its queue, and named.
class PhoneQueues {
public:
    using Line = Start;
    using StartLine = std::function<void(const Line& line)>;
    using IsReady = std::function<bool(const QString& serial)>;
    using Skipped = std::function<void(const QString& serial)>;

    PhoneQueues(StartLine start, IsReady isReady, Skipped skipped);

    // Queues a line for its environment's phone, behind what that phone has queued.
    void add(const QString& serial, Line line);
    // Queues a wait before the phone's next line.
    void addPause(const QString& serial, int milliseconds);
    // Whether nothing is queued.
    bool empty() const { return m_queues.empty(); }

private:
    using Step = std::variant<Line, int>;
    struct Queue {
        std::deque<Step> steps;
    };

    Queue& queueFor(const QString& serial);
    void takeTurn();
    // The phone's next line is due: its turn is taken after the phones already waiting.
    void due(const QString& serial);
    // Starts the pauses at the head of the phone's queue; then its next line is due, or the queue
    // is done.
    void goOn(const QString& serial);
    void scheduleTurn();

    StartLine m_start;
    IsReady m_isReady;
    Skipped m_skipped;
    std::map<QString, Queue> m_queues;
    std::deque<QString> m_due;
    bool m_turnScheduled = false;
    // The turns and pauses belong to it: they end with the queues.
    QObject m_timers;
};

} // namespace kavu
