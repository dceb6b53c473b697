#include "support/fake_services.h"

namespace kavu::test {

void RecordingProcessStarter::start(const QString& line, launch::WindowMode mode) {
    started.append({line, mode});
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
}

double ScriptedRandom::next() {
    if (script.empty()) {
        return 0.0;
    }
    const double value = script.front();
    script.pop_front();
    return value;
}

} // namespace kavu::test
