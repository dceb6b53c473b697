#include "windows.h"

#include "apps/software.h"
#include "display/navigation.h"
#include "display/phone_area.h"
#include "flash/okc.h"
#include "shell/app.h"
#include "statusbar/status.h"

namespace kavu {

void registerWindows(App& app, FontScaleOffset& fontScaleOffset) {
    app.setOpener(Feature::Software, [&app] { app.open<Software>(); });
    app.setOpener(Feature::Flashing, [&app] { app.open<OKC>(); });
    app.setOpener(Feature::Display, [&app] { app.open<Navigation>(); });
    app.setOpener(Feature::StatusBar, [&app] { app.open<Status>(); });
    app.setOpener(Feature::Scaling,
                  [&app, &fontScaleOffset] { app.open<PhoneArea>(fontScaleOffset); });
}

} // namespace kavu
