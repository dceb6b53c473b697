#include "shell/picture.h"

namespace kavu {

// Built without Qt Svg (the Windows build): the help pages' picture labels stay empty.
bool showPicture(QLabel& /*label*/, const QString& /*resource*/) {
    return false;
}

} // namespace kavu
