#include "shell/shell_commands.h"

#include "app/qt_text.h"
#include "core/launch.h"
#include "platform/shown_text.h"

namespace kavu::shell {

QString registryRepairLine(const QString& stored) {
    QString command = stored;
    while (command.startsWith(QLatin1Char('\r')) || command.startsWith(QLatin1Char('\n'))) {
        command.remove(0, 1);
    }
    return qtText(launch::kConsole.prefix) + command +
           shownConsoleText(launch::kRegistrySuccessSuffix);
}

} // namespace kavu::shell
