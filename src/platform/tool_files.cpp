#include "platform/tool_files.h"

#include <QDir>
#include <QFileInfo>

namespace kavu {

QStringList requiredToolFiles() {
#ifdef Q_OS_WIN
    return {QStringLiteral("AdbWinUsbApi.dll"), QStringLiteral("AdbWinApi.dll"),
            QStringLiteral("adb.exe"), QStringLiteral("fastboot.exe")};
#else
    // kavu-cmd runs every console line; without it no command could run.
    return {QStringLiteral("adb"), QStringLiteral("fastboot"), QStringLiteral("kavu-cmd")};
#endif
}

std::optional<QString> firstMissingToolFile(const QString& folder) {
    const QDir directory(folder);
    for (const QString& name : requiredToolFiles()) {
        const QFileInfo file(directory.filePath(name));
        // A directory, or a file marked hidden, does not count.
        if (!file.isFile() || file.isHidden()) {
            return name;
        }
#ifndef Q_OS_WIN
        if (!file.isExecutable()) {
            return name;
        }
#endif
    }
    return std::nullopt;
}

} // namespace kavu
