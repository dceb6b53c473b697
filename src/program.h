#pragma once

#include "app/app.h"
#include "app/fastboot_watch.h"
#include "devices/adb_device_tracker.h"
#include "devices/adb_shell_client.h"
#include "display/font_scale_offset.h"
#include "journal/journal.h"
#include "platform/desktop_services.h"
#include "platform/process_starter.h"
#include "widgets/fresh_window_guard.h"
#include "widgets/window_keys.h"

#include <QSettings>

#include <functional>

namespace kavu {

// The program as it runs on the desktop: the production services, the App on them, and every
// window registered with the launcher. Needs a QApplication.
class Program {
public:
    // processes: what starts the program's lines instead of the system's starter (a measurement's
    // own, that starts nothing), when given.
    explicit Program(ProcessStarter* processes = nullptr);

    App& app() { return m_app; }

    // Makes the working folder the current one (see workingFolderFor). When it cannot, says why in
    // a message box and on standard error, and returns false: the program cannot run.
    bool enterWorkingFolder();

private:
    // The second press of a double click on a launcher entry must not press a button of the
    // window the first click opened.
    FreshWindowGuard m_freshWindows;
    // First focus, Escape and Return in every window; Escape leaves the main window open.
    WindowKeys m_windowKeys;
    DialogMessageBoxes m_messages;
    SystemProcessStarter m_processes;
    ThreadPause m_pause;
    ClockSeededRandom m_random;
    DesktopBrowser m_browser;
    ApplicationEnvironment m_environment;
    // Outlives the windows that show it.
    AdbDeviceTracker m_devices;
    AdbShellClient m_shellClient;
    FastbootWatch m_fastboot;
    QSettings m_settings{QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kavu"),
                         QStringLiteral("kavu")};
    App m_app;
    // Watches the launcher of m_app, which it outlives only while ending.
    journal::Journal m_journal;
    FontScaleOffset m_fontScaleOffset;
};

// What a measurement of the program's start changes of it: the starter of its lines (one that
// starts nothing, so that no device-check console opens), the journal left unwritten, and a call
// once Qt is up, before anything of the program is made.
struct StartOptions {
    ProcessStarter* processes = nullptr;
    bool journal = true;
    std::function<void()> qtStarted;
};

// The program as main() runs it: the display check, Qt, the program's name, icon and language,
// the consoles' environment, the font check, the working folder and the main window, then the
// event loop. Returns the program's exit code.
int runProgram(int argc, char* argv[], const StartOptions& options = {});

} // namespace kavu
