#pragma once

#include <QString>

#include <optional>

namespace kavu {

// What to tell when no installed font can draw the interface's Chinese (a portable copy on a
// system without one): every caption would show as empty boxes. In English, which any font draws,
// naming the package that brings such fonts. None when a font covers it.
std::optional<QString> missingChineseFont();

} // namespace kavu
