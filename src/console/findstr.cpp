#include "console/findstr.h"

#include <algorithm>

#include "console/arguments.h"
#include "console/text.h"

namespace kavu::console {

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

void addWords(std::vector<std::string>& words, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
        std::size_t end = i;
        while (end < text.size() && !isBlank(text[end])) {
            ++end;
        }
        if (end > i) {
            words.emplace_back(text.substr(i, end - i));
        }
        i = end;
    }
}

bool containsIgnoringCase(std::string_view line, std::string_view word) {
    const auto it = std::search(line.begin(), line.end(), word.begin(), word.end(),
                                [](char a, char b) { return asciiLower(a) == asciiLower(b); });
    return it != line.end();
}

} // namespace

FindstrQuery parseFindstr(std::string_view rest) {
    FindstrQuery query;
    for (const std::string& arg : splitArguments(rest)) {
        if (equalsIgnoringCase(arg, "/i")) {
            query.ignoreCase = true;
        } else if (startsWithIgnoringCase(arg, "/c:")) {
            if (arg.size() > 3) {
                query.words.push_back(arg.substr(3));
            }
        } else {
            addWords(query.words, arg);
        }
    }
    return query;
}

bool findstrMatches(const FindstrQuery& query, std::string_view line) {
    return std::any_of(query.words.begin(), query.words.end(), [&](const std::string& word) {
        return query.ignoreCase ? containsIgnoringCase(line, word)
                                : line.find(word) != std::string_view::npos;
    });
}

std::string LineFilter::take(std::string_view line) {
    std::string_view body = line;
    if (!body.empty() && body.back() == '\r') {
        body.remove_suffix(1);
    }
    if (!findstrMatches(m_query, body)) {
        return {};
    }
    m_matched = true;
    std::string out(line);
    out += '\n';
    return out;
}

std::string LineFilter::feed(std::string_view chunk) {
    m_pending.append(chunk);
    std::string out;
    std::size_t start = 0;
    for (std::size_t nl = m_pending.find('\n'); nl != std::string::npos;
         nl = m_pending.find('\n', start)) {
        out += take(std::string_view(m_pending).substr(start, nl - start));
        start = nl + 1;
    }
    m_pending.erase(0, start);
    return out;
}

std::string LineFilter::finish() {
    std::string out;
    if (!m_pending.empty()) {
        out = take(m_pending);
        m_pending.clear();
    }
    return out;
}

} // namespace kavu::console
