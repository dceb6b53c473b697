#include "app/console_launcher.h"

#include "app/qt_text.h"
#include "platform/services.h"
#include "platform/shown_text.h"

#include <QLineEdit>

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
    m_processes.start(line.toString(), mode);
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
    m_processes.start(consoleLine(form, box.text(), suffix.text()), form.mode);
}

} // namespace kavu
