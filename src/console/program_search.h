#pragma once

#include <optional>
#include <string>
#include <string_view>

// Finding what a command name refers to: the current folder first, then each folder of PATH.
namespace kavu::console {

enum class TargetKind {
    Program,  // an executable file: run it
    Document, // a file that is not a program: open it with the desktop's handler
    NotFound,
};

struct Target {
    TargetKind kind = TargetKind::NotFound;
    std::string path; // absolute when the folder was

    bool operator==(const Target&) const = default;
};

// A name with a "/" is a path (relative to the current folder) and is not searched. A file in the
// current folder (or at the path) whose name has an extension (a dot in its last part) is a
// document and never runs, whatever its permission bits. Otherwise an executable file in the
// current folder comes first, then the first executable file of that name in a PATH folder; only
// when there is none is a non-executable file in the current folder a document.
Target findTarget(std::string_view name, const std::string& currentFolder,
                  std::string_view searchPath);

// The first executable file called name in the folders of searchPath.
std::optional<std::string> findInSearchPath(std::string_view name, std::string_view searchPath);

// Joins a file name to a folder unless it is absolute already.
std::string resolveIn(const std::string& folder, std::string_view name);

} // namespace kavu::console
