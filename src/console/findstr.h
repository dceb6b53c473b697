#pragma once

#include <string>
#include <string_view>
#include <vector>

// FINDSTR: prints the lines of its input that contain any of its words.
namespace kavu::console {

struct FindstrQuery {
    std::vector<std::string> words;
    bool ignoreCase = false;

    bool operator==(const FindstrQuery&) const = default;
};

// Words are separated by blanks (quotes only group); "/I" ignores case, "/C:text" searches for
// text as one literal string. An empty query means a bad command line.
FindstrQuery parseFindstr(std::string_view rest);

bool findstrMatches(const FindstrQuery& query, std::string_view line);

// Feeds input in pieces and hands back the complete lines that match, each ending in "\n".
class LineFilter {
public:
    explicit LineFilter(FindstrQuery query)
        : m_query(std::move(query)) {}

    std::string feed(std::string_view chunk);
    // The last line when the input did not end in a line break.
    std::string finish();
    bool matchedAny() const { return m_matched; }

private:
    std::string take(std::string_view line);

    FindstrQuery m_query;
    std::string m_pending;
    bool m_matched = false;
};

} // namespace kavu::console
