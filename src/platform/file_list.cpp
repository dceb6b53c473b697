#include "platform/file_list.h"

#include <QDir>

namespace kavu {

QStringList plainFilesMatching(const QString& folder, const QString& filter) {
    const QDir directory(folder);
    if (!directory.exists()) {
        return {};
    }
    // "*.*" means every file, with or without an extension, as on Windows.
    const QString pattern = filter == QStringLiteral("*.*") ? QStringLiteral("*") : filter;
    return directory.entryList({pattern}, QDir::Files | QDir::NoDotAndDotDot,
                               QDir::Name | QDir::IgnoreCase);
}

QString fileFolderFor(const QString& programFolder, const QString& dataFolder) {
    const QString base = dataFolder.isEmpty() ? programFolder : dataFolder;
    return QDir(base).filePath(QStringLiteral("File"));
}

} // namespace kavu
