#include "console/program_search.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kavu::console {

namespace {

enum class FileKind { Missing, Executable, Plain };

FileKind inspect(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return FileKind::Missing;
    }
    return ::access(path.c_str(), X_OK) == 0 ? FileKind::Executable : FileKind::Plain;
}

// Whether the last part of a name has an extension, taken broadly on the safe side: a dot anywhere
// in it ("screen.png", but also ".hidden" and "screen."). "a.b/c" has none: only the last part
// counts.
bool hasExtension(std::string_view name) {
    const std::size_t slash = name.rfind('/');
    const std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
    return last.find('.') != std::string_view::npos;
}

} // namespace

std::string resolveIn(const std::string& folder, std::string_view name) {
    if (!name.empty() && name.front() == '/') {
        return std::string(name);
    }
    std::string path = folder;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

std::optional<std::string> findInSearchPath(std::string_view name, std::string_view searchPath) {
    while (!searchPath.empty()) {
        const std::size_t colon = searchPath.find(':');
        const std::string_view folder = searchPath.substr(0, colon);
        searchPath =
            colon == std::string_view::npos ? std::string_view{} : searchPath.substr(colon + 1);
        if (folder.empty()) {
            continue; // an empty entry is the current folder, searched before PATH
        }
        std::string candidate = resolveIn(std::string(folder), name);
        if (inspect(candidate) == FileKind::Executable) {
            return candidate;
        }
    }
    return std::nullopt;
}

Target findTarget(std::string_view name, const std::string& currentFolder,
                  std::string_view searchPath) {
    if (name.empty()) {
        return {};
    }
    const std::string local = resolveIn(currentFolder, name);
    const FileKind localKind = inspect(local);
    if (localKind != FileKind::Missing && hasExtension(name)) {
        // A file with an extension is a document whatever its permission bits say: on a FAT or
        // exFAT volume or a folder shared from Windows every file has the execute bit, and a
        // "screen.png" pulled from the phone must never run as a program.
        return {TargetKind::Document, local};
    }
    if (localKind == FileKind::Executable) {
        return {TargetKind::Program, local};
    }
    if (name.find('/') == std::string_view::npos) {
        // A file here that cannot run (a copied tool that lost its execute bit) does not hide
        // the program of that name on PATH.
        if (std::optional<std::string> found = findInSearchPath(name, searchPath)) {
            return {TargetKind::Program, std::move(*found)};
        }
    }
    if (localKind == FileKind::Plain) {
        return {TargetKind::Document, local};
    }
    return {};
}

} // namespace kavu::console
