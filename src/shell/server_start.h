#pragma once

#include <QObject>

#include <functional>

namespace kavu {

class DeviceWatch;
class ProcessStarter;

// Starts this computer's adb server in the background with the consoles' adb, tells the watch how
// that went, and then does what comes next (the device check's console): once adb has answered,
// or after kServerStartWaitMs without an answer, whichever comes first, and only while context is
// there. When the line cannot be started the user has been told, and what comes next comes at once.
inline constexpr int kServerStartWaitMs = 5000;
void startServerThen(ProcessStarter& processes, DeviceWatch& watch, QObject& context,
                     std::function<void()> next);

} // namespace kavu
