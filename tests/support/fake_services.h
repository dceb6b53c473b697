#pragma once

#include "platform/services.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

namespace kavu::test {

struct StartedLine {
    QString line;
    launch::WindowMode mode;
};

class RecordingProcessStarter final : public ProcessStarter {
public:
    void start(const QString& line, launch::WindowMode mode) override;
    QList<StartedLine> started;
    QStringList lines() const;
};

struct ShownMessage {
    QString text;
    QString title;
    MessageIcon icon;
};

class RecordingMessageBoxes final : public MessageBoxes {
public:
    void show(const QString& text, const QString& title, MessageIcon icon) override;
    QList<ShownMessage> shown;
};

class RecordingPause final : public Pause {
public:
    void sleep(int milliseconds) override { slept.append(milliseconds); }
    QList<int> slept;
};

// Hands out scripted draws in order; 0 once the script is used up.
class ScriptedRandom final : public RandomSource {
public:
    double next() override;
    std::deque<double> script;
};

class RecordingBrowser final : public Browser {
public:
    void open(const QString& url) override { opened.append(url); }
    QStringList opened;
};

class FolderEnvironment final : public ProgramEnvironment {
public:
    QString programFolder() const override { return folder; }
    void quit() override { ++quitCalls; }
    QString folder;
    int quitCalls = 0;
};

// One of each fake, and the services record built from them.
struct FakeServices {
    RecordingProcessStarter processes;
    RecordingMessageBoxes messages;
    RecordingPause pause;
    ScriptedRandom random;
    RecordingBrowser browser;
    FolderEnvironment program;

    Services services() { return {processes, messages, pause, random, browser, program}; }
};

} // namespace kavu::test
