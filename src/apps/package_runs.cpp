#include "apps/package_runs.h"

#include "app/console_launcher.h"

#include <QPointer>

namespace kavu {

PackageRuns::PackageRuns(ConsoleLauncher& launcher, QObject* parent)
    : QObject(parent)
    , m_launcher(launcher) {}

void PackageRuns::run(const Target& target, const QList<Run>& runs) {
    for (const Run& run : runs) {
        m_waiting.push_back({target, run});
    }
    next();
}

void PackageRuns::next() {
    // A run may end while it starts (its start failed): the loop below goes on, not a new one.
    if (m_starting) {
        return;
    }
    m_starting = true;
    while (m_running < kRunsAtOnce && !m_waiting.empty()) {
        const Waiting waiting = std::move(m_waiting.front());
        m_waiting.pop_front();
        const QString& name = waiting.run.name;
        ++m_running;
        // A refused command is told on its row, not in a message box for each package.
        if (waiting.run.command.refusal() != Refusal::None) {
            end(name, std::nullopt);
            continue;
        }
        // The end may be heard before runOn returns (a start that failed), or after this object
        // is gone.
        const bool accepted = m_launcher.runOn(
            waiting.target, waiting.run.command, launch::kHidden, Command(),
            [runs = QPointer<PackageRuns>(this), name](const std::optional<RunEnd>& end) {
                if (runs) {
                    runs->end(name, end);
                }
            });
        if (!accepted) {
            end(name, std::nullopt);
        }
    }
    m_starting = false;
    if (left() == 0) {
        emit finished();
    }
}

void PackageRuns::end(const QString& name, const std::optional<RunEnd>& end) {
    --m_running;
    emit ended(name, end);
    if (!m_starting) {
        next();
    }
}

} // namespace kavu
