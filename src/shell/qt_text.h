#pragma once

#include <QString>

#include <string_view>

namespace kavu {

// The program's literals are UTF-8; this makes them Qt text.
inline QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace kavu
