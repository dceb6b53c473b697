#include "app/console_launcher.h"

#include "app/device_choice.h"
#include "app/qt_text.h"
#include "platform/services.h"
#include "platform/shown_text.h"

#include <QLineEdit>
#include <QTimer>

namespace kavu {

ConsoleLauncher::ConsoleLauncher(ProcessStarter& processes, MessageBoxes& messages, Pause& pause,
                                 DeviceChoice& choice, std::function<QLineEdit*()> commandBox)
    : m_processes(processes)
    , m_messages(messages)
    , m_pause(pause)
    , m_choice(choice)
    , m_commandBox(std::move(commandBox))
    , m_queues([this](const Start& start) { startOne(start); },
               [this](const QString& serial) { return m_choice.isReady(serial); },
               [this](const QString& serial) { skipped(serial); }) {}

bool ConsoleLauncher::run(const Command& command, const launch::Form& form, const Command& suffix) {
    return runOn(m_choice.target(), command, form, suffix);
}

bool ConsoleLauncher::runThrough(QLineEdit& box, const Command& command, const launch::Form& form,
                                 const Command& suffix) {
    return runThrough(box, m_choice.target(), command, form, suffix);
}

bool ConsoleLauncher::runThrough(QLineEdit& box, const Target& target, const Command& command,
                                 const launch::Form& form, const Command& suffix) {
    if (!acceptsAll(command, suffix)) {
        return false;
    }
    start(box, target, command, form, suffix);
    return true;
}

bool ConsoleLauncher::run(const FixedCommand& command, Origin origin) {
    return run(commandOf(command, std::move(origin)), command.form,
               Command(shownConsoleText(command.suffix)));
}

bool ConsoleLauncher::runThrough(QLineEdit& box, const FixedCommand& command, Origin origin) {
    return runThrough(box, commandOf(command, std::move(origin)), command.form,
                      Command(shownConsoleText(command.suffix)));
}

bool ConsoleLauncher::runOn(const Target& target, const Command& command, const launch::Form& form,
                            const Command& suffix, const RunHeard& heard) {
    if (!acceptsAll(command, suffix)) {
        return false;
    }
    QLineEdit* box = m_commandBox();
    if (box == nullptr) {
        return false;
    }
    start(*box, target, command, form, suffix, heard);
    return true;
}

void ConsoleLauncher::startLine(QStringView line, launch::WindowMode mode, Origin origin) {
    startFor(m_choice.target(), Command().reaching(launch::Reach::Computer).from(std::move(origin)),
             line.toString(), mode);
}

ProcessStarter::RunEnded ConsoleLauncher::journalRun(const QString& serial, const QString& line,
                                                     Origin origin) {
    if (m_watcher == nullptr) {
        return {};
    }
    ProcessStarter::RunEnded ended =
        m_watcher->starting({line,
                             launch::WindowMode::Hidden,
                             StartEnvironment{serial, m_choice.serverSocket(), {}},
                             Change{},
                             std::move(origin),
                             {}});
    m_watcher->started(true);
    return ended;
}

void ConsoleLauncher::pause(int milliseconds) {
    if (!m_clickPhones) {
        m_pause.sleep(milliseconds);
        return;
    }
    for (const QString& serial : *m_clickPhones) {
        m_queues.addPause(serial, milliseconds);
    }
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

void ConsoleLauncher::start(QLineEdit& box, const Target& target, const Command& command,
                            const launch::Form& form, const Command& suffix,
                            const RunHeard& heard) {
    box.setText(command.text());
    startFor(target, command, consoleLine(form, box.text(), suffix.text()), form.mode, heard);
}

void ConsoleLauncher::startFor(const Target& target, const Command& command, const QString& line,
                               launch::WindowMode mode, const RunHeard& heard) {
    const launch::Reach reach = command.reach();
    const std::vector<StartEnvironment> starts = startsOf(target, reach);
    if (target.kind != Target::Kind::Every || reach == launch::Reach::Computer) {
        for (const StartEnvironment& environment : starts) {
            startOne({line, mode, environment, command.change(), command.origin(), heard});
        }
        return;
    }
    if (!m_clickPhones) {
        m_clickPhones = target.serials;
        QTimer::singleShot(0, &m_clickEnds, [this] { m_clickPhones.reset(); });
        if (target.serials.isEmpty()) {
            skipped(std::nullopt);
        }
    }
    for (const StartEnvironment& environment : starts) {
        m_queues.add(*environment.serial,
                     {line, mode, environment, command.change(), command.origin(), heard});
    }
}

void ConsoleLauncher::startOne(const Start& start) {
    ProcessStarter::RunEnded ended = m_watcher ? m_watcher->starting(start) : nullptr;
    if (start.heard) {
        ended = [watched = std::move(ended), heard = start.heard](const RunEnd& end) {
            if (watched) {
                watched(end);
            }
            heard(end);
        };
    }
    const bool started =
        m_processes.start(start.line, start.mode, start.environment, std::move(ended));
    if (m_watcher != nullptr) {
        m_watcher->started(started);
    }
    if (!started && start.heard) {
        start.heard(std::nullopt);
    }
}

void ConsoleLauncher::skipped(const std::optional<QString>& serial) {
    if (m_watcher != nullptr) {
        m_watcher->skipped(serial);
    }
}

} // namespace kavu
