#pragma once

#include "shell/app.h"
#include "support/fake_services.h"

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

    // Puts an empty file into the File folder.
    void addFile(const QString& name);

private:
    QTemporaryDir m_folder;
    FakeServices m_fakes;
    std::unique_ptr<App> m_app;
};

} // namespace kavu::test
