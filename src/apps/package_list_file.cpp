#include "apps/package_list_file.h"

#include "devices/package_list.h"

#include <unordered_set>

namespace kavu::apps {

namespace {

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\v\f";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

ListFile readListFile(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    ListFile file;
    std::unordered_set<std::string_view> seen;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty()) {
            continue;
        }
        if (!adb::isPackageName(line)) {
            ++file.invalidLines;
        } else if (seen.insert(line).second) {
            file.names.emplace_back(line);
        }
    }
    return file;
}

std::string listFileText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += name;
        text += '\n';
    }
    return text;
}

} // namespace kavu::apps
