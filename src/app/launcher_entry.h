#pragma once

#include <QStringView>

namespace kavu {

// An entry of the main window's launcher that opens a window: the caption its label shows, and
// the object names of that label and of the icon beside it in form1.ui. The label's name is the
// entry's key.
struct LauncherEntry {
    QStringView caption;
    QStringView label;
    QStringView icon;
};

} // namespace kavu
