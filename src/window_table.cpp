#include "window_table.h"

#include "app/app.h"
#include "apps/apps_commands.h"
#include "apps/software.h"
#include "batch/batch_window.h"
#include "connection/server_dialog.h"
#include "connection/wireless_dialog.h"
#include "display/display_commands.h"
#include "display/navigation.h"
#include "display/phone_area.h"
#include "flash/okc.h"
#include "input/keysimu.h"
#include "input/touchsimu.h"
#include "journal/journal.h"
#include "journal/journal_window.h"
#include "shell/about.h"
#include "shell/form1.h"
#include "shell/help.h"
#include "shell/support_window.h"
#include "statusbar/status.h"
#include "statusbar/status_commands.h"

namespace kavu {

namespace {

template <class W> void opens(App& app, FontScaleOffset& /*fontScaleOffset*/) {
    app.open<W>();
}

// The journal window shows the journal the program keeps, when it keeps one.
void opensJournal(App& app, FontScaleOffset& /*fontScaleOffset*/) {
    if (journal::Journal* journal = app.journal()) {
        app.open<journal::JournalWindow>(*journal);
    }
}

// The scales window shows the font-scale offset the program keeps for its whole run.
void opensScales(App& app, FontScaleOffset& fontScaleOffset) {
    app.open<PhoneArea>(fontScaleOffset);
}

constexpr WindowRow kWindows[] = {
    {{u"Label23", u"Image17"}, opens<Software>},
    {{u"Label24", u"Image19"}, opens<OKC>},
    {{u"Label7", u"Image5der"}, opens<Navigation>},
    {{u"Label8", u"Image9"}, opens<Status>},
    {{u"Label18", u"Image10"}, opensScales},
    {{u"Label28", u"Image21"}, opens<keysimu>},
    {{u"Label27", u"Image12"}, opens<touchsimu>},
    {{u"Label32", u"Image23"}, opens<Help>},
    {{u"Label31", u"Image24"}, opens<SupportWindow>},
    {{u"Label30", u"Image25"}, opens<About>},
    // The device row's links, captions without icons.
    {{u"Labelserver", {}}, opens<AdbServerDialog>},
    {{u"Labelwireless", {}}, opens<WirelessDialog>},
    {{u"Labeljournal", {}}, opensJournal},
};

} // namespace

std::span<const WindowRow> windowTable() {
    return kWindows;
}

void registerWindows(App& app, FontScaleOffset& fontScaleOffset) {
    useForm1AsMainWindow(app);
    for (const WindowRow& row : kWindows) {
        app.setOpener(row.entry,
                      [&app, &fontScaleOffset, open = row.open] { open(app, fontScaleOffset); });
    }
    // A click for several phones shows its runs. A window already shown follows the new batch where
    // it is: the clicks of a repeated action (the auto-clicker's hidden lines, a held key) must not
    // pull it to the front each time.
    QObject::connect(&app.console().batches(), &BatchRunner::opened, &app.console().batches(),
                     [&app] {
                         if (const BatchWindow* shown = app.find<BatchWindow>();
                             shown == nullptr || !shown->isVisible()) {
                             app.open<BatchWindow>();
                         }
                     });
}

QList<Command> changingCommands() {
    return apps::changingCommands() + statusbar::changingCommands() + display::changingCommands();
}

} // namespace kavu
