#pragma once

#include <QStringView>

namespace kavu {

// An entry of the main window's launcher that opens a window: the object names of its label
// (which shows the caption, from form1.ui) and of the icon beside it. The label's name is the
// entry's key.
struct LauncherEntry {
    QStringView label;
    QStringView icon;
};

} // namespace kavu
