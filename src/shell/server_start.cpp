#include "shell/server_start.h"

#include "devices/device_watch.h"
#include "platform/services.h"
#include "shell/shell_commands.h"

#include <QPointer>
#include <QTimer>

#include <memory>
#include <string_view>
#include <utility>

namespace kavu {

void startServerThen(ProcessStarter& processes, DeviceWatch& watch, QObject& context,
                     std::function<void()> next) {
    // Whichever comes first, the answer or the wait's end, goes on; the other finds it done.
    auto pending = std::make_shared<std::function<void()>>(std::move(next));
    const auto goOn = [pending, alive = QPointer<QObject>(&context)] {
        if (*pending && alive) {
            std::exchange(*pending, {})();
        }
    };
    QTimer::singleShot(kServerStartWaitMs, &context, goOn);
    const bool started = processes.start(
        consoleLine(shell::kStartServer), shell::kStartServer.form.mode, StartEnvironment{},
        [goOn, watched = QPointer<DeviceWatch>(&watch)](const RunEnd& end) {
            if (watched) {
                watched->serverStartEnded(devices::serverStartFailure(
                    end.exitCode,
                    std::string_view(end.outputTail.constData(), size_t(end.outputTail.size()))));
            }
            goOn();
        });
    if (!started) {
        goOn();
    }
}

} // namespace kavu
