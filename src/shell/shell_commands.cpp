#include "shell/shell_commands.h"

#include "core/launch.h"
#include "shell/addresses.h"
#include "shell/qt_text.h"

namespace kavu::shell {

Command communityAppCommand(const Command& page) {
    return Command(u"adb shell am start -a android.intent.action.VIEW -d ")
        .append(page)
        .fixed(u" -p ")
        .fixed(addresses::kCommunityAppPackage);
}

QString registryRepairLine(const QString& stored) {
    QString command = stored;
    while (command.startsWith(QLatin1Char('\r')) || command.startsWith(QLatin1Char('\n'))) {
        command.remove(0, 1);
    }
    return qtText(launch::kConsole.prefix) + command + qtText(launch::kRegistrySuccessSuffix);
}

} // namespace kavu::shell
