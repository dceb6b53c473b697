#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kavu {

// The tool files that must stand in the program folder, in the order they are looked for.
QStringList requiredToolFiles();
// The file name of adb itself among them ("adb.exe" on Windows).
QString adbToolFile();

// What is wrong with one required tool file.
struct ToolProblem {
    enum class Kind {
        Missing,       // no regular file of that name (or a hidden one)
        NotExecutable, // Linux: it may not be run, and would be opened as a document instead
        DanglingLink,  // a symbolic link to nothing
    };
    QString name;
    Kind kind = Kind::Missing;
    // DanglingLink: where the link points.
    QString target;

    bool operator==(const ToolProblem&) const = default;
};

// Every required tool file in folder that cannot serve, in the order they are looked for (links
// followed).
QList<ToolProblem> toolProblems(const QString& folder);

} // namespace kavu
