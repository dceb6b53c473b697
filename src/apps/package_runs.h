#pragma once

#include "app/command.h"
#include "app/target.h"
#include "platform/services.h"

#include <QObject>
#include <QString>

#include <deque>
#include <optional>

namespace kavu {

class ConsoleLauncher;

// Runs package changes through the console launcher on one phone, each its own hidden run (so the
// launcher's watcher journals each on its own), at most kRunsAtOnce at a time, in the order given,
// and tells how each ended.
class PackageRuns final : public QObject {
    Q_OBJECT

public:
    static constexpr int kRunsAtOnce = 4;

    // One package's change.
    struct Run {
        QString name;
        Command command;
    };

    PackageRuns(ConsoleLauncher& launcher, QObject* parent);

    // Runs these on the target after the runs given before.
    void run(const Target& target, const QList<Run>& runs);
    // How many runs are waiting or under way.
    int left() const { return static_cast<int>(m_waiting.size()) + m_running; }

signals:
    // A run ended; none: it did not start (its command was refused, or the start failed).
    void ended(const QString& name, const std::optional<kavu::RunEnd>& end);
    // Every run given has ended.
    void finished();

private:
    struct Waiting {
        Target target;
        Run run;
    };
    void next();
    void end(const QString& name, const std::optional<RunEnd>& end);

    ConsoleLauncher& m_launcher;
    std::deque<Waiting> m_waiting;
    int m_running = 0;
    bool m_starting = false;
};

} // namespace kavu
