#pragma once

#include <QString>

#include <optional>

namespace kavu {

// What to tell when no installed font can draw the interface's Chinese (a portable copy on a
// system without one): every caption would show as empty boxes. In English, which any font draws,
// naming the package that brings such fonts. None when a font covers it.
std::optional<QString> missingChineseFont();

// The face the interface takes in place of the default one where the font configuration knows no
// generic families (a bare one, as a system set up without fonts for Chinese may have): Qt's
// default face is then whichever comes first, often a serif or a symbol face. The first common
// sans face installed; none where the configuration tells a sans face from a serif one.
std::optional<QString> sansFaceInstead();

} // namespace kavu
