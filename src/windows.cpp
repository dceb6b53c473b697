#include "windows.h"

#include "shell/app.h"
#include "statusbar/status.h"

namespace kavu {

void registerWindows(App& app) {
    app.setOpener(Feature::StatusBar, [&app] { app.open<Status>(); });
}

} // namespace kavu
