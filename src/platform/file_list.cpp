#include "platform/file_list.h"

#include "platform/file_system.h"

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

std::optional<QString> unlistableFolderReason(const QString& folder) {
    const std::filesystem::path path = fileSystemPath(folder);
    std::error_code error;
    // Reading the folder gives the names; telling files from folders among them needs the right
    // to search it, which looking up "." inside it asks for.
    [[maybe_unused]] const std::filesystem::directory_iterator entries(path, error);
    if (!error) {
        [[maybe_unused]] const std::filesystem::file_status inside =
            std::filesystem::status(path / ".", error);
    }
    if (error) {
        return failureReason(error);
    }
    return std::nullopt;
}

QString fileFolderFor(const QString& programFolder, const QString& dataFolder) {
    const QString base = dataFolder.isEmpty() ? programFolder : dataFolder;
    return QDir(base).filePath(QStringLiteral("File"));
}

} // namespace kavu
