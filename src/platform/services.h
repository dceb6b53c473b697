#pragma once

#include "core/launch.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

// Everything a window does to the world goes through these services. Production implementations
// live beside this header; tests replace them with recording fakes.
namespace kavu {

enum class MessageIcon { None, Critical, Exclamation };

// How a hidden run ended: its exit code (-1 when a signal ended it) and the last bytes of what it
// wrote to its standard output and error, at most kRunOutputTail of them.
struct RunEnd {
    int exitCode = 0;
    QByteArray outputTail;
};
inline constexpr qsizetype kRunOutputTail = 4096;

// Starts one command-interpreter line in a window mode and returns at once.
class ProcessStarter {
public:
    // Hears how a hidden run ended, in the event loop of the thread that started it.
    using RunEnded = std::function<void(const RunEnd& end)>;

    virtual ~ProcessStarter() = default;
    // ended, when given, is told how a hidden run ended; a console reports nothing.
    void start(const QString& line, launch::WindowMode mode, RunEnded ended = {}) {
        launch(line, mode, std::move(ended));
    }

    // The device that adb and fastboot in every console started from now on talk to: its serial
    // goes into their environment as ANDROID_SERIAL. None: the variable is left out.
    void setDeviceSerial(std::optional<QString> serial) { m_deviceSerial = std::move(serial); }
    const std::optional<QString>& deviceSerial() const { return m_deviceSerial; }
    // "全部设备": each line the console launcher starts from now on runs once on each of these
    // devices, with its own ANDROID_SERIAL and, in a console, the serial in its title; empty: on
    // the device chosen, or with none.
    void setEveryDevice(QStringList serials) { m_everyDevice = std::move(serials); }
    const QStringList& everyDevice() const { return m_everyDevice; }
    // The adb server every console started from now on talks to, as ADB_SERVER_SOCKET: none
    // leaves the variable as the program found it, an empty text leaves it out.
    void setServerSocket(std::optional<QString> socket) { m_serverSocket = std::move(socket); }
    const std::optional<QString>& serverSocket() const { return m_serverSocket; }

protected:
    virtual void launch(const QString& line, launch::WindowMode mode, RunEnded ended) = 0;

private:
    std::optional<QString> m_deviceSerial;
    std::optional<QString> m_serverSocket;
    QStringList m_everyDevice;
};

// A modal message box with one OK button; returns when the user closed it.
// An empty title means the application's own title.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const QString& text, const QString& title, MessageIcon icon) = 0;
};

// Blocks the calling (user-interface) thread.
class Pause {
public:
    virtual ~Pause() = default;
    virtual void sleep(int milliseconds) = 0;
};

// Uniform draws in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

// Hands a web address to the desktop's default handler.
class Browser {
public:
    virtual ~Browser() = default;
    virtual void open(const QString& url) = 0;
};

// The folder that holds the program and its tools, and the way to end the program.
class ProgramEnvironment {
public:
    virtual ~ProgramEnvironment() = default;
    virtual QString programFolder() const = 0;
    // The user's own folder for Kavu's files when the program is installed (KAVU_HOME); empty for
    // a portable copy, which keeps them beside the program.
    virtual QString dataFolder() const { return {}; }
    virtual void quit() = 0;
};

struct Services {
    ProcessStarter& processes;
    MessageBoxes& messages;
    Pause& pause;
    RandomSource& random;
    Browser& browser;
    ProgramEnvironment& program;
};

} // namespace kavu
