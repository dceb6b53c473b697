#pragma once

#include "core/launch.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

// Everything a window does to the world goes through these services. Production implementations
// live beside this header; tests replace them with recording fakes.
namespace kavu {

enum class MessageIcon { None, Critical, Exclamation };

// How a hidden run ended: its exit code (-1 when a signal ended it) and the last bytes of what it
// wrote to its standard output and error, at most kRunOutputTail of them. A console's end says
// only that its window closed: its exit code is the terminal's, not the line's.
struct RunEnd {
    int exitCode = 0;
    QByteArray outputTail;
    bool console = false;
};
inline constexpr qsizetype kRunOutputTail = 4096;

// What a started line is told through its environment, and how its console is titled: each start
// carries its own, so nothing about a phone is kept between starts.
struct StartEnvironment {
    // ANDROID_SERIAL, the phone adb and fastboot talk to; none: the variable is left out.
    std::optional<QString> serial;
    // ADB_SERVER_SOCKET, the adb server they go through: none leaves the variable as the program
    // found it, an empty text leaves it out.
    std::optional<QString> serverSocket;
    // Ends a console's title (" - TAG") so that the consoles of several phones can be told apart;
    // empty: the title is the line's own.
    QString titleTag;
    // How many of the last bytes a hidden run wrote are kept for its end.
    qsizetype outputKept = kRunOutputTail;

    bool operator==(const StartEnvironment&) const = default;
};

// Starts one command-interpreter line in a window mode and returns at once.
class ProcessStarter {
public:
    // Hears how a hidden run ended, in the event loop of the thread that started it.
    using RunEnded = std::function<void(const RunEnd& end)>;

    virtual ~ProcessStarter() = default;
    // ended, when given, is told how a hidden run ended, and when a console closed where the
    // system tells. False when the line could not be started (the user has been told why).
    bool start(const QString& line, launch::WindowMode mode, const StartEnvironment& environment,
               RunEnded ended = {}) {
        return launch(line, mode, environment, std::move(ended));
    }

protected:
    virtual bool launch(const QString& line, launch::WindowMode mode,
                        const StartEnvironment& environment, RunEnded ended) = 0;
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
