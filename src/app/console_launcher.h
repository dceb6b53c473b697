#pragma once

#include "app/command.h"
#include "core/launch.h"
#include "platform/services.h"

#include <QString>
#include <QStringView>

#include <QObject>

#include <deque>
#include <functional>
#include <optional>

class QLineEdit;

namespace kavu {

// Hears of every line the console launcher starts.
class LaunchWatcher {
public:
    // The line is about to start: what hears how it ended when it runs hidden (may be empty).
    // Quick: the line waits for it.
    virtual ProcessStarter::RunEnded starting(const QString& line, launch::WindowMode mode) = 0;
    // The line given to starting has been handed to the process starter.
    virtual void started() = 0;

protected:
    ~LaunchWatcher() = default;
};

// The console launcher every window runs its commands through. It checks every typed part of a
// command first: when one is refused the user is told why and nothing runs. Otherwise the text
// goes into a command box, is read back, joined with the form's prefix and the suffix, and the
// line starts at once in the form's window mode.
class ConsoleLauncher {
public:
    // commandBox: the main window's command box, loading the main window when it is not there;
    // null when it cannot be loaded (the program is then ending).
    ConsoleLauncher(ProcessStarter& processes, MessageBoxes& messages,
                    std::function<QLineEdit*()> commandBox);

    // Through the main window's command box. False when nothing ran.
    bool run(const Command& command, const launch::Form& form, const Command& suffix = Command());
    // Through a window's own hidden command box; the main window's box is left as it is.
    bool runThrough(QLineEdit& box, const Command& command, const launch::Form& form,
                    const Command& suffix = Command());
    // A fixed command with its own form and suffix, through the main window's or a window's box.
    bool run(const FixedCommand& command);
    bool runThrough(QLineEdit& box, const FixedCommand& command);
    // A whole fixed line that takes no command box.
    void startLine(QStringView line, launch::WindowMode mode);

    // The main window's command box, loading the main window when it is not there; null when it
    // cannot be loaded.
    QLineEdit* commandBox() const { return m_commandBox(); }

    // Whether every typed part of these commands may be spliced; if not, the user has been told.
    // For actions that change what the window shows before they run.
    bool accepts(const Command& command);
    // Tells the user why a command was not run; nothing for Refusal::None.
    void refuse(Refusal refusal);

    // What hears of every line started from now on; none: nothing does.
    void setWatcher(LaunchWatcher* watcher) { m_watcher = watcher; }

private:
    // Starts the line on the device chosen at once, or queues it once for each device when every
    // one is chosen (and behind lines still queued, so that the order stays).
    void startWatched(const QString& line, launch::WindowMode mode);
    void startOne(const QString& line, launch::WindowMode mode);
    // One queued line a turn of the event loop: a start per device, each with its journal entry,
    // never holds the windows up for all of them together.
    void startNextQueued();

    struct Queued {
        QString line;
        launch::WindowMode mode;
        std::optional<QString> serial;
    };
    bool acceptsAll(const Command& command, const Command& suffix);
    void start(QLineEdit& box, const Command& command, const launch::Form& form,
               const Command& suffix);

    ProcessStarter& m_processes;
    MessageBoxes& m_messages;
    std::function<QLineEdit*()> m_commandBox;
    LaunchWatcher* m_watcher = nullptr;
    std::deque<Queued> m_queued;
    // The queue's turns belong to it: they end with the launcher.
    QObject m_queueTurns;
};

} // namespace kavu
