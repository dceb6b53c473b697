#pragma once

#include <QString>

#include <optional>

namespace kavu {

// The folder Kavu works in: consoles run there (the tools beside the program are found there
// first) and screenshots land there.
struct WorkingFolder {
    QString path;
    // A data folder of the user's, which Kavu makes (with its File folder) when it is missing;
    // else the program folder, used as it is.
    bool isDataFolder = false;

    bool operator==(const WorkingFolder&) const = default;
};

// The data folder KAVU_HOME names when it is set (an installed Kavu's launcher sets it), else the
// program folder, wherever the program was started from. The launcher sets KAVU_HOME empty when
// it knows no home folder to put it in.
WorkingFolder workingFolderFor(const QString& programFolder,
                               const std::optional<QString>& kavuHome);

// KAVU_HOME as this process inherited it; none when it is not set.
std::optional<QString> kavuHomeVariable();

// Makes folder the current folder, first making a data folder and its File folder. Returns the
// message for the user when that fails: it names the folder and the reason.
std::optional<QString> enterWorkingFolder(const WorkingFolder& folder);

} // namespace kavu
