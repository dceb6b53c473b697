#pragma once

class QWidget;

namespace kavu {

// Moves a top-level window to the centre of the screen it will appear on.
void centreOnScreen(QWidget& window);

} // namespace kavu
