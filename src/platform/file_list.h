#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kavu {

// The names of the plain (not hidden) files in folder that match the wildcard filter, sorted by
// name without regard to case. A missing or unreadable folder gives an empty list.
QStringList plainFilesMatching(const QString& folder, const QString& filter);

// Why the files in folder cannot be listed (it is missing, not a folder, or may not be read or
// searched), in words for the user; none when they can.
std::optional<QString> unlistableFolderReason(const QString& folder);

// The File folder where the user puts packages and images: in the user's data folder when the
// program is installed (dataFolder set), else beside the program.
QString fileFolderFor(const QString& programFolder, const QString& dataFolder);

} // namespace kavu
