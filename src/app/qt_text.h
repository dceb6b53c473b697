#pragma once

#include "core/numeric.h"
#include "platform/shown_text.h"

#include <QString>

#include <string_view>

namespace kavu {

// The program's literals are UTF-8; this makes them Qt text.
inline QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The number rules on Qt text: the numeric value of a typed text, the decimal text of a number.
inline double numericValueOf(const QString& text) {
    return numericValue(text.toStdString());
}
inline QString decimalTextOf(double value) {
    return qtText(decimalText(value));
}

} // namespace kavu
