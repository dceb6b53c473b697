#pragma once

#include "platform/services.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

namespace kavu::test {

// One thing a recording fake was asked to do. The fakes of one FakeServices append to one log, so a
// test can tell in what order messages, commands, pauses and pages happened.
struct Event {
    enum Kind { Command, Message, Pause, Browser };
    Kind kind;
    // The started line, the message's text, the milliseconds slept, the address opened.
    QString text;

    static Event command(const QString& line) { return {Command, line}; }
    static Event message(const QString& text) { return {Message, text}; }
    static Event pause(int milliseconds) { return {Pause, QString::number(milliseconds)}; }
    static Event browser(const QString& url) { return {Browser, url}; }

    bool operator==(const Event&) const = default;
};

using EventLog = QList<Event>;

// How QCOMPARE shows an event.
char* toString(const Event& event);

struct StartedLine {
    QString line;
    launch::WindowMode mode;
    // The device its adb and fastboot would talk to (ANDROID_SERIAL), if one was chosen.
    std::optional<QString> serial;
    // Its whole environment: the serial, the adb server, the console's title tag.
    StartEnvironment environment;
};

class RecordingProcessStarter final : public ProcessStarter {
public:
    explicit RecordingProcessStarter(EventLog& log)
        : m_log(log) {}
    QList<StartedLine> started;
    // What each hidden run started so far would be told when it ends, in the order started.
    QList<RunEnded> hiddenRunEnds;
    QStringList lines() const;

protected:
    bool launch(const QString& line, launch::WindowMode mode, const StartEnvironment& environment,
                RunEnded ended) override;

private:
    EventLog& m_log;
};

struct ShownMessage {
    QString text;
    QString title;
    MessageIcon icon;
};

class RecordingMessageBoxes final : public MessageBoxes {
public:
    explicit RecordingMessageBoxes(EventLog& log)
        : m_log(log) {}
    void show(const QString& text, const QString& title, MessageIcon icon) override;
    QList<ShownMessage> shown;

private:
    EventLog& m_log;
};

class RecordingPause final : public Pause {
public:
    explicit RecordingPause(EventLog& log)
        : m_log(log) {}
    void sleep(int milliseconds) override;
    QList<int> slept;

private:
    EventLog& m_log;
};

// Hands out scripted draws in order; 0 once the script is used up.
class ScriptedRandom final : public RandomSource {
public:
    double next() override;
    std::deque<double> script;
};

class RecordingBrowser final : public Browser {
public:
    explicit RecordingBrowser(EventLog& log)
        : m_log(log) {}
    void open(const QString& url) override;
    QStringList opened;

private:
    EventLog& m_log;
};

class FolderEnvironment final : public ProgramEnvironment {
public:
    QString programFolder() const override { return folder; }
    void quit() override { ++quitCalls; }
    QString folder;
    int quitCalls = 0;
};

// One of each fake, the services record built from them, and the one ordered log the recording
// fakes share.
struct FakeServices {
    FakeServices() = default;
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    EventLog events;
    RecordingProcessStarter processes{events};
    RecordingMessageBoxes messages{events};
    RecordingPause pause{events};
    ScriptedRandom random;
    RecordingBrowser browser{events};
    FolderEnvironment program;

    Services services() { return {processes, messages, pause, random, browser, program}; }
    // Forgets what every fake recorded.
    void clear();
};

} // namespace kavu::test
