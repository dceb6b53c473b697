#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kavu {

// The tool files that must stand in the program folder, in the order they are looked for.
QStringList requiredToolFiles();

// The first required tool file in folder that is not a regular file (links followed) or, on Linux,
// that may not be run: a tool that cannot be run would be opened as a document instead.
std::optional<QString> firstMissingToolFile(const QString& folder);

} // namespace kavu
