#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The package list files the list exports and selects from: UTF-8 text, one package name per
// line; a # starts a comment that runs to the end of its line; blank lines, blanks around a name,
// Windows line ends and a leading byte-order mark are allowed. A file is data: its names are
// checked as the phone's are. No Qt here.
namespace kavu::apps {

// A file larger than this is not read.
inline constexpr std::size_t kLargestListFile = std::size_t{8} << 20;

struct ListFile {
    // The package names, each once, in the file's order.
    std::vector<std::string> names;
    // Lines whose text (comment and blanks left out) is not a package name.
    std::size_t invalidLines = 0;
};
ListFile readListFile(std::string_view text);

// The file for these names, one per line.
std::string listFileText(const std::vector<std::string>& names);

} // namespace kavu::apps
