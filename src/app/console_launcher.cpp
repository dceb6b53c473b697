#include "app/console_launcher.h"

#include "app/device_choice.h"
#include "app/fastboot_watch.h"
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
    , m_batches([this](const Start& start) { return startOne(start); },
                [this](const QString& serial, launch::Tool tool) {
                    return m_choice.whyNotReady(serial, tool);
                },
                [this](const QString& serial) { return m_choice.describe(serial); },
                [this](const QString& serial) { skipped(serial); }) {
    // The phones in fastboot mode stay listed while a batch has fastboot lines left, also once the
    // flashing window is closed.
    QObject::connect(&m_batches, &BatchRunner::fastbootNeeded, &m_batches, [this](bool needed) {
        if (needed) {
            m_heldFastboot = m_choice.fastbootWatch();
            if (m_heldFastboot != nullptr) {
                m_heldFastboot->hold();
            }
        } else if (m_heldFastboot != nullptr) {
            m_heldFastboot->release();
            m_heldFastboot.clear();
        }
    });
}

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
    if (!m_batches.gathering()) {
        m_pause.sleep(milliseconds);
        return;
    }
    m_batches.addPause(milliseconds);
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
    const QString text = box.text();
    // A batch runs the command hidden, without its console's prompts.
    startFor(target, command, consoleLine(form, text, suffix.text()), form.mode, heard,
             target.isSeveral() ? consoleLine(launch::kHidden, text, QString()) : QString());
}

void ConsoleLauncher::startFor(const Target& target, const Command& command, const QString& line,
                               launch::WindowMode mode, const RunHeard& heard,
                               const QString& hiddenLine) {
    const launch::Reach reach = command.reach();
    if (!target.isSeveral() || reach == launch::Reach::Computer) {
        for (const StartEnvironment& environment : startsOf(target, reach)) {
            startOne({line, mode, environment, command.change(), command.origin(), heard});
        }
        return;
    }
    const launch::Tool tool = launch::toolOf(command.text().toStdString());
    const std::vector<StartEnvironment> starts = startsOf(target, reach, tool);
    if (starts.empty()) {
        // Told once per click: its other lines find none either.
        if (!m_batches.gathering()) {
            skipped(std::nullopt);
        }
        return;
    }
    for (const StartEnvironment& environment : starts) {
        m_batches.add(*environment.serial,
                      {{line, mode, environment, command.change(), command.origin(), heard},
                       hiddenLine.isEmpty() ? line : hiddenLine,
                       command.text(),
                       tool});
    }
}

bool ConsoleLauncher::startOne(const Start& start) {
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
    return started;
}

void ConsoleLauncher::skipped(const std::optional<QString>& serial) {
    if (m_watcher != nullptr) {
        m_watcher->skipped(serial);
    }
}

} // namespace kavu
