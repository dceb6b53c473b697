#pragma once

class QLabel;
class QString;

namespace kavu {

// Draws the SVG picture at resource into label, at the label's size and the screen's density.
// False when the resource is not a picture that can be drawn.
bool showPicture(QLabel& label, const QString& resource);

} // namespace kavu
