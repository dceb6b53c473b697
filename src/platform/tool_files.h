#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kavu {

// The tool files that must stand in the program folder, in the order they are looked for.
QStringList requiredToolFiles();

// The first required tool file that is not a regular file (links followed) in folder.
std::optional<QString> firstMissingToolFile(const QString& folder);

} // namespace kavu
