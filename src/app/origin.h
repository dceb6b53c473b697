#pragma once

#include "app/command.h"

class QWidget;

namespace kavu {

// Who asks when this control is pressed: its window's title and its caption (a kit control's
// caption, a button's text, a launcher entry's caption or, for an icon alone, its name), as they
// read at the press, in the window's language.
Origin originOf(const QWidget& control);

} // namespace kavu
