#include "support/fake_services.h"

#include <QtTest>

namespace kavu::test {

char* toString(const Event& event) {
    static const char* const kinds[] = {"command", "message", "pause", "browser"};
    return QTest::toString(QString::fromLatin1(kinds[event.kind]) + QStringLiteral(": ") +
                           event.text);
}

bool RecordingProcessStarter::launch(const QString& line, launch::WindowMode mode,
                                     const StartEnvironment& environment, RunEnded ended) {
    started.append({line, mode, environment.serial, environment});
    if (mode == launch::WindowMode::Hidden) {
        hiddenRunEnds.append(std::move(ended));
    }
    m_log.append(Event::command(line));
    return true;
}

QStringList RecordingProcessStarter::lines() const {
    QStringList result;
    for (const StartedLine& entry : started) {
        result.append(entry.line);
    }
    return result;
}

void RecordingMessageBoxes::show(const QString& text, const QString& title, MessageIcon icon) {
    shown.append({text, title, icon});
    m_log.append(Event::message(text));
}

void RecordingPause::sleep(int milliseconds) {
    slept.append(milliseconds);
    m_log.append(Event::pause(milliseconds));
}

void RecordingBrowser::open(const QString& url) {
    opened.append(url);
    m_log.append(Event::browser(url));
}

double ScriptedRandom::next() {
    if (script.empty()) {
        return 0.0;
    }
    const double value = script.front();
    script.pop_front();
    return value;
}

void FakeServices::clear() {
    events.clear();
    processes.started.clear();
    processes.hiddenRunEnds.clear();
    messages.shown.clear();
    pause.slept.clear();
    browser.opened.clear();
}

} // namespace kavu::test
