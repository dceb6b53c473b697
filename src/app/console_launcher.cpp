#include "app/console_launcher.h"

#include "app/qt_text.h"
#include "platform/services.h"
#include "platform/shown_text.h"

#include <QLineEdit>
#include <QTimer>

namespace kavu {

ConsoleLauncher::ConsoleLauncher(ProcessStarter& processes, MessageBoxes& messages,
                                 std::function<QLineEdit*()> commandBox)
    : m_processes(processes)
    , m_messages(messages)
    , m_commandBox(std::move(commandBox)) {}

bool ConsoleLauncher::run(const Command& command, const launch::Form& form, const Command& suffix) {
    if (!acceptsAll(command, suffix)) {
        return false;
    }
    QLineEdit* box = m_commandBox();
    if (box == nullptr) {
        return false;
    }
    start(*box, command, form, suffix);
    return true;
}

bool ConsoleLauncher::runThrough(QLineEdit& box, const Command& command, const launch::Form& form,
                                 const Command& suffix) {
    if (!acceptsAll(command, suffix)) {
        return false;
    }
    start(box, command, form, suffix);
    return true;
}

bool ConsoleLauncher::run(const FixedCommand& command) {
    return run(Command(command.text), command.form, Command(shownConsoleText(command.suffix)));
}

bool ConsoleLauncher::runThrough(QLineEdit& box, const FixedCommand& command) {
    return runThrough(box, Command(command.text), command.form,
                      Command(shownConsoleText(command.suffix)));
}

void ConsoleLauncher::startLine(QStringView line, launch::WindowMode mode) {
    startWatched(line.toString(), mode);
}

bool ConsoleLauncher::accepts(const Command& command) {
    if (command.refusal() == Refusal::None) {
        return true;
    }
    refuse(command.refusal());
    return false;
}

void ConsoleLauncher::refuse(Refusal refusal) {
    if (refusal == Refusal::None) {
        return;
    }
    m_messages.show(shownText(refusalMessage(refusal)), shownText(kUnsafeTextTitle),
                    MessageIcon::Critical);
}

bool ConsoleLauncher::acceptsAll(const Command& command, const Command& suffix) {
    return accepts(command) && accepts(suffix);
}

void ConsoleLauncher::start(QLineEdit& box, const Command& command, const launch::Form& form,
                            const Command& suffix) {
    box.setText(command.text());
    startWatched(consoleLine(form, box.text(), suffix.text()), form.mode);
}

void ConsoleLauncher::startWatched(const QString& line, launch::WindowMode mode) {
    const QStringList every = m_processes.everyDevice();
    if (every.isEmpty() && m_queued.empty()) {
        startOne(line, mode);
        return;
    }
    const bool idle = m_queued.empty();
    if (every.isEmpty()) {
        m_queued.push_back({line, mode, m_processes.deviceSerial()});
    }
    // Every device: the same line once per device, each its own start (and journal entry).
    for (const QString& serial : every) {
        m_queued.push_back({line, mode, serial});
    }
    if (idle) {
        QTimer::singleShot(0, &m_queueTurns, [this] { startNextQueued(); });
    }
}

void ConsoleLauncher::startNextQueued() {
    if (m_queued.empty()) {
        return;
    }
    const Queued next = std::move(m_queued.front());
    m_queued.pop_front();
    const std::optional<QString> chosen = m_processes.deviceSerial();
    m_processes.setDeviceSerial(next.serial);
    startOne(next.line, next.mode);
    m_processes.setDeviceSerial(chosen);
    if (!m_queued.empty()) {
        QTimer::singleShot(0, &m_queueTurns, [this] { startNextQueued(); });
    }
}

void ConsoleLauncher::startOne(const QString& line, launch::WindowMode mode) {
    if (m_watcher == nullptr) {
        m_processes.start(line, mode);
        return;
    }
    m_processes.start(line, mode, m_watcher->starting(line, mode));
    m_watcher->started();
}

} // namespace kavu
