#pragma once

#include "app/batch_runner.h"
#include "app/command.h"
#include "app/target.h"
#include "core/launch.h"
#include "platform/services.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QLineEdit;

namespace kavu {

class DeviceChoice;
class FastbootWatch;

// Hears of every line the console launcher starts, and of the lines it did not start on a phone.
class LaunchWatcher {
public:
    // The line is about to start: what hears how it ended (may be empty). Quick: the line waits
    // for it.
    virtual ProcessStarter::RunEnded starting(const Start& start) = 0;
    // The line given to starting was started, or could not be (the user has been told why).
    virtual void started(bool started) = 0;
    // A click's lines did not run on this phone: it was no longer ready when its turn came. None:
    // the click was for several phones, and none was there.
    virtual void skipped(const std::optional<QString>& serial) = 0;

protected:
    ~LaunchWatcher() = default;
};

// The console launcher every window runs its commands through. It checks every typed part of a
// command first: when one is refused the user is told why and nothing runs. Otherwise the text
// goes into a command box, is read back, joined with the form's prefix and the suffix, and the
// line starts in the form's window mode, on the phones the device choice names at the click.
//
// For one phone (or none chosen) a line starts at once, and a pause between two lines holds the
// window, as a single phone's actions always have. For several phones (every phone, or the ones
// picked), the lines of a click and its pauses make a batch: each phone's run there in their
// order, the phones side by side, hidden with their output kept unless consoles are asked for.
class ConsoleLauncher {
public:
    // commandBox: the main window's command box, loading the main window when it is not there;
    // null when it cannot be loaded (the program is then ending). choice: whose target a click
    // takes.
    ConsoleLauncher(ProcessStarter& processes, MessageBoxes& messages, Pause& pause,
                    DeviceChoice& choice, std::function<QLineEdit*()> commandBox);

    // Through the main window's command box. False when nothing ran.
    bool run(const Command& command, const launch::Form& form, const Command& suffix = Command());
    // Through a window's own hidden command box; the main window's box is left as it is.
    bool runThrough(QLineEdit& box, const Command& command, const launch::Form& form,
                    const Command& suffix = Command());
    // The same on a target taken earlier: a line started later for a click (or a load) goes
    // where the choice named then.
    bool runThrough(QLineEdit& box, const Target& target, const Command& command,
                    const launch::Form& form, const Command& suffix = Command());
    // A fixed command with its own form and suffix, through the main window's or a window's box.
    bool run(const FixedCommand& command, Origin origin = {});
    bool runThrough(QLineEdit& box, const FixedCommand& command, Origin origin = {});
    // On this target instead of the device choice's, through the main window's box: a change
    // taken back goes to the phone it was made on, and only there. heard, when given, is told how
    // each start of the line ended (a hidden run's exit code and output), or that it could not
    // start; a line queued for every phone and skipped there is not told.
    bool runOn(const Target& target, const Command& command, const launch::Form& form,
               const Command& suffix = Command(), const RunHeard& heard = {});
    // A whole fixed line that takes no command box and is not about a phone: it starts once.
    void startLine(QStringView line, launch::WindowMode mode, Origin origin = {});
    // Journals a run that starts no line on this computer (taps written into a phone's open
    // shell): its entry now, for the phone with this serial; its end through what is returned
    // (empty when nothing hears).
    ProcessStarter::RunEnded journalRun(const QString& serial, const QString& line, Origin origin);
    // The wait between two lines of one click (a new recovery is flashed, then booted): for one
    // phone it holds the window; for several it goes into the click's batch after the lines given
    // so far.
    void pause(int milliseconds);

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

    // The batches of clicks made for several phones.
    BatchRunner& batches() { return m_batches; }

private:
    bool acceptsAll(const Command& command, const Command& suffix);
    void start(QLineEdit& box, const Target& target, const Command& command,
               const launch::Form& form, const Command& suffix, const RunHeard& heard = {});
    // hiddenLine: the same command without its console's prompts, as a batch runs it.
    void startFor(const Target& target, const Command& command, const QString& line,
                  launch::WindowMode mode, const RunHeard& heard = {},
                  const QString& hiddenLine = {});
    bool startOne(const Start& start);
    void skipped(const std::optional<QString>& serial);

    ProcessStarter& m_processes;
    MessageBoxes& m_messages;
    Pause& m_pause;
    DeviceChoice& m_choice;
    std::function<QLineEdit*()> m_commandBox;
    LaunchWatcher* m_watcher = nullptr;
    BatchRunner m_batches;
    // Held while a batch has fastboot lines left.
    QPointer<FastbootWatch> m_heldFastboot;
};

} // namespace kavu
