#pragma once

#include "app/app.h"
#include "app/fastboot_watch.h"
#include "devices/adb_device_tracker.h"
#include "devices/adb_shell_client.h"
#include "display/font_scale_offset.h"
#include "journal/journal.h"
#include "platform/process_starter.h"
#include "support/fake_services.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace kavu {

class Form1;

namespace test {

class SimulatedAdbServer;

// The program's own windows and services as the end-to-end tests drive them: the real process
// starter (kavu-cmd in a terminal), the device tracker and the shell client, all talking to a
// simulated adb server, with recording fakes only for message boxes, pauses, randomness and the
// browser. The program folder passes the tool check; the consoles run in a folder of their own,
// so that they find adb on PATH, and every adb they start talks to the simulated server.
class RealProgram {
public:
    // Lays out the folders and loads the main window; QVERIFY failures end the calling test.
    void start(const SimulatedAdbServer& server);
    // Destroys the windows; what the starter could not start is then in startFailures().
    void stop() {
        m_journal.reset();
        m_app.reset();
        m_fastboot.reset();
    }

    QDir folder() const { return QDir(m_work.path()); }
    App& app() { return *m_app; }
    AdbDeviceTracker& tracker() { return *m_tracker; }
    journal::Journal& journal() { return *m_journal; }
    Form1* main() const { return m_main; }
    const QStringList& startFailures() const { return m_startFailures; }

private:
    QTemporaryDir m_work;
    FakeServices m_fakes;
    QStringList m_startFailures;
    std::unique_ptr<SystemProcessStarter> m_processes;
    std::unique_ptr<AdbDeviceTracker> m_tracker;
    std::unique_ptr<AdbShellClient> m_shellClient;
    std::unique_ptr<FastbootWatch> m_fastboot;
    std::unique_ptr<App> m_app;
    std::unique_ptr<journal::Journal> m_journal;
    FontScaleOffset m_fontScaleOffset;
    Form1* m_main = nullptr;
};

} // namespace test
} // namespace kavu
