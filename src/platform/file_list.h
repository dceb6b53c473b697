#pragma once

#include <QString>
#include <QStringList>

namespace kavu {

// The names of the plain (not hidden) files in folder that match the wildcard filter, sorted by
// name without regard to case. A missing or unreadable folder gives an empty list.
QStringList plainFilesMatching(const QString& folder, const QString& filter);

} // namespace kavu
