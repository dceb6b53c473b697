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

QString adbToolFile() {
#ifdef Q_OS_WIN
    return QStringLiteral("adb.exe");
#else
    return QStringLiteral("adb");
#endif
}

QList<ToolProblem> toolProblems(const QString& folder) {
    const QDir directory(folder);
    QList<ToolProblem> problems;
    for (const QString& name : requiredToolFiles()) {
        const QFileInfo file(directory.filePath(name));
        if (file.isSymLink() && !file.exists()) {
            problems.append({name, ToolProblem::Kind::DanglingLink, file.symLinkTarget()});
        } else if (!file.isFile() || file.isHidden()) {
            // A directory, or a file marked hidden, does not count.
            problems.append({name, ToolProblem::Kind::Missing, {}});
        }
#ifndef Q_OS_WIN
        else if (!file.isExecutable()) {
            problems.append({name, ToolProblem::Kind::NotExecutable, {}});
        }
#endif
    }
    return problems;
}

} // namespace kavu
