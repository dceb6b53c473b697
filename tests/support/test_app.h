#pragma once

#include "app/app.h"
#include "app/command.h"
#include "app/language.h"
#include "support/fake_services.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace kavu::test {

// An App on recording fakes whose program folder is a fresh temporary folder holding the tool
// files (and an empty File folder). The main window is loaded and the records cleared, so a test
// sees only what it caused.
class TestApp {
public:
    explicit TestApp(bool loadMainWindow = true);
    ~TestApp();

    App& app() { return *m_app; }
    FakeServices& fakes() { return m_fakes; }
    QString folder() const { return m_folder.path(); }
    QString fileFolder() const;

    // Runs a whole fixed text through the console launcher (to leave an earlier command in the
    // box).
    void run(const QString& text, const launch::Form& form, const QString& suffix = QString());
    // Leaves kEarlierCommand in the command box, run hidden, so a test can see whether it changes.
    void runEarlierCommand();

    // The main window's command box text.
    QString commandBox();
    QList<StartedLine>& started() { return m_fakes.processes.started; }
    QList<ShownMessage>& messages() { return m_fakes.messages.shown; }
    // Commands, messages, pauses and pages in the order they happened.
    const EventLog& events() const { return m_fakes.events; }
    // The last line started; fails the test when none was.
    StartedLine lastStarted() const;
    void clearRecords();

    // Whether the app started exactly these commands, in this order and each in mode ("cmd /c"
    // hidden, "cmd /k" in a console), left the last of them in the main window's command box (when
    // there is one) and showed no message. What differed is kept for the failure report:
    //     QVERIFY2(t.ranOnly(command), t.mismatch());
    bool ranOnly(const QStringList& commands, launch::WindowMode mode = launch::WindowMode::Hidden);
    bool ranOnly(const QString& command, launch::WindowMode mode = launch::WindowMode::Hidden) {
        return ranOnly(QStringList{command}, mode);
    }
    // The same for a fixed command: its line with its form's prefix and its suffix, in its form's
    // mode.
    bool ranOnly(const FixedCommand& command);
    // The same, but whatever messages were shown.
    bool startedOnly(const QStringList& commands,
                     launch::WindowMode mode = launch::WindowMode::Hidden);
    bool startedOnly(const QString& command, launch::WindowMode mode = launch::WindowMode::Hidden) {
        return startedOnly(QStringList{command}, mode);
    }
    // What the last ranOnly or startedOnly found amiss; empty after one that held.
    const char* mismatch() const { return m_mismatch.constData(); }

    // Puts an empty file into the File folder.
    void addFile(const QString& name);

private:
    bool startedOnly(const QStringList& commands, const QString& prefix, const QString& suffix,
                     launch::WindowMode mode);
    // linesHeld, made false (with a note in the mismatch) when a message was shown.
    bool noMessagesShown(bool linesHeld);

    // The language of the run, as the program picks it (KAVU_LANG; the tests set it).
    Translation m_translation{languageOfEnvironment()};
    QTemporaryDir m_folder;
    FakeServices m_fakes;
    std::unique_ptr<App> m_app;
    QByteArray m_mismatch;
};

} // namespace kavu::test
