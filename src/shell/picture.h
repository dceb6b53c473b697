#pragma once

class QIcon;
class QLabel;
class QString;

namespace kavu {

// The pictures the build renders from SVG to PNG (src/shell/CMakeLists.txt). They are read with
// Qt's own PNG decoder, so no image plugin is needed on any system.

// Shows the picture at resource in label, at the label's size and the screen's density. False
// when the resource is not a PNG picture.
bool showPicture(QLabel& label, const QString& resource);

// The program's icon, for its windows.
QIcon programIcon();

} // namespace kavu
