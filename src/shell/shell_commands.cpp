#include "shell/shell_commands.h"

#include "app/qt_text.h"
#include "core/launch.h"

namespace kavu::shell {

QString registryRepairLine(const QString& stored) {
    QString command = stored;
    while (command.startsWith(QLatin1Char('\r')) || command.startsWith(QLatin1Char('\n'))) {
        command.remove(0, 1);
    }
    return qtText(launch::kConsole.prefix) + command + qtText(launch::kRegistrySuccessSuffix);
}

} // namespace kavu::shell
