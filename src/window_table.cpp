#include "window_table.h"

#include "apps/software.h"
#include "display/navigation.h"
#include "display/phone_area.h"
#include "flash/okc.h"
#include "input/keysimu.h"
#include "input/touchsimu.h"
#include "shell/about.h"
#include "shell/app.h"
#include "shell/help.h"
#include "statusbar/status.h"

namespace kavu {

void registerWindows(App& app, FontScaleOffset& fontScaleOffset) {
    app.setOpener(Feature::Software, [&app] { app.open<Software>(); });
    app.setOpener(Feature::Flashing, [&app] { app.open<OKC>(); });
    app.setOpener(Feature::Display, [&app] { app.open<Navigation>(); });
    app.setOpener(Feature::StatusBar, [&app] { app.open<Status>(); });
    app.setOpener(Feature::Scaling,
                  [&app, &fontScaleOffset] { app.open<PhoneArea>(fontScaleOffset); });
    app.setOpener(Feature::Keys, [&app] { app.open<keysimu>(); });
    app.setOpener(Feature::Touch, [&app] { app.open<touchsimu>(); });
    app.setOpener(Feature::Help, [&app] { app.open<Help>(); });
    app.setOpener(Feature::About, [&app] { app.open<About>(); });
}

} // namespace kavu
