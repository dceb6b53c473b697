#pragma once

#include "app/console_launcher.h"
#include "app/device_choice.h"
#include "app/fastboot_watch.h"
#include "app/launcher_entry.h"
#include "platform/services.h"

#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QWidget>

class QSettings;

#include <functional>
#include <map>
#include <typeindex>
#include <utility>
#include <vector>

namespace kavu {

class AdbShellClient;
class DeviceWatch;
namespace journal {
class Journal;
}

// The main window as the other windows see it: it owns the command box commands are written to.
class MainWindow {
public:
    virtual QLineEdit& commandBox() = 0;

protected:
    ~MainWindow() = default;
};

// The program's registry of windows and the services they act through. Each window exists at
// most once: created and loaded on first use, shown modeless without an owner, brought to the
// front when opened again, destroyed when closed. Commands go through its console launcher.
class App {
public:
    explicit App(Services services);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ProcessStarter& processes() const { return m_services.processes; }
    MessageBoxes& messages() const { return m_services.messages; }
    Pause& pause() const { return m_services.pause; }
    RandomSource& random() const { return m_services.random; }
    Browser& browser() const { return m_services.browser; }
    QString programFolder() const { return m_services.program.programFolder(); }
    // The File folder beside the program, where the user puts packages and images.
    QString fileFolder() const;

    // What gives the main window: the one there, else one loaded with its whole start-up; null
    // when its start-up check failed. Set before anything opens.
    void setMainWindowLoader(std::function<MainWindow*(App&)> loader) {
        m_mainWindowLoader = std::move(loader);
    }
    // The main window, loaded when it is not there. Null when it cannot be (none set, or its
    // start-up check failed: the program is then ending).
    MainWindow* mainWindow();

    // Window W shown and brought to the front, created and loaded first when it is not there
    // (as W(app, arguments...)).
    template <class W, class... Arguments> W* open(Arguments&&... arguments);
    // Window W, created and loaded without being shown when it is not there.
    template <class W, class... Arguments> W* loaded(Arguments&&... arguments);
    // Window W if it is there, else null.
    template <class W> W* find() const;

    // Puts the entry on the main window's launcher (replacing one with the same label), opening
    // what opener opens. The main window wires the entries registered before it loads.
    void setOpener(const LauncherEntry& entry, std::function<void()> opener);
    // The registered entries, in the order they were first registered.
    std::vector<LauncherEntry> launcherEntries() const;
    // What the launcher does for the entry with this label; one without an opener says that it is
    // not built.
    void openEntry(QStringView label);

    // The console launcher; its command box is the main window's, loaded when it is not there.
    ConsoleLauncher& console() { return m_console; }

    // The devices the main window's device row shows; none until set (the row then says the
    // server is being looked for). The device choice follows it.
    void setDeviceWatch(DeviceWatch* watch) {
        m_deviceWatch = watch;
        m_devices.follow(watch);
    }
    DeviceWatch* deviceWatch() const { return m_deviceWatch; }
    // The phones in fastboot mode, listed while a window that sends fastboot lines holds the
    // watch; none until set (no phone in fastboot mode is then listed). The device choice
    // follows it.
    void setFastbootWatch(FastbootWatch* watch) {
        m_fastbootWatch = watch;
        m_devices.followFastboot(watch);
    }
    FastbootWatch* fastbootWatch() const { return m_fastbootWatch; }
    // Which phones commands go to, as the user chose them.
    DeviceChoice& devices() { return m_devices; }
    const DeviceChoice& devices() const { return m_devices; }
    // What reads from the phone over the adb server; none until set (nothing is then read).
    void setShellClient(AdbShellClient* client) { m_shellClient = client; }
    AdbShellClient* shellClient() const { return m_shellClient; }
    // Where what the user set is kept between runs (saved phone groups, the adb server, the
    // phones connected over Wi-Fi); none until set (nothing is then kept).
    void setSettings(QSettings* settings) { m_settings = settings; }
    QSettings* settings() const { return m_settings; }
    // The journal of the changes made to each device; none until set (nothing is then written).
    void setJournal(journal::Journal* journal) { m_journal = journal; }
    journal::Journal* journal() const { return m_journal; }

private:
    QWidget* existing(std::type_index type) const;
    void adopt(std::type_index type, QWidget* window);
    static void bringToFront(QWidget* window);

    Services m_services;
    std::map<std::type_index, QPointer<QWidget>> m_windows;
    struct Opener {
        LauncherEntry entry;
        std::function<void()> open;
    };
    std::vector<Opener> m_openers;
    std::function<MainWindow*(App&)> m_mainWindowLoader;
    DeviceChoice m_devices;
    ConsoleLauncher m_console;
    DeviceWatch* m_deviceWatch = nullptr;
    FastbootWatch* m_fastbootWatch = nullptr;
    AdbShellClient* m_shellClient = nullptr;
    journal::Journal* m_journal = nullptr;
    QSettings* m_settings = nullptr;
};

template <class W> W* App::find() const {
    return static_cast<W*>(existing(typeid(W)));
}

template <class W, class... Arguments> W* App::loaded(Arguments&&... arguments) {
    if (W* window = find<W>()) {
        return window;
    }
    auto* window = new W(*this, std::forward<Arguments>(arguments)...);
    adopt(typeid(W), window);
    return window;
}

template <class W, class... Arguments> W* App::open(Arguments&&... arguments) {
    W* window = loaded<W>(std::forward<Arguments>(arguments)...);
    bringToFront(window);
    return window;
}

} // namespace kavu
