#pragma once

#include "app/command.h"
#include "app/launcher_entry.h"

#include <QList>

#include <span>

namespace kavu {

class App;
class FontScaleOffset;

// One row per window the main window's launcher opens: its entry (caption, label and icon) and
// how the window is opened. What outlives the windows is passed in by the program, which owns it.
struct WindowRow {
    LauncherEntry entry;
    void (*open)(App& app, FontScaleOffset& fontScaleOffset);
};

std::span<const WindowRow> windowTable();

// Every command of the windows that changes the phone, typed ones with a sample value: the
// journal reads what they change, and the tests take each through its undo.
QList<Command> changingCommands();

// Registers every row with the App. Before the main window loads: it wires the entries it finds.
void registerWindows(App& app, FontScaleOffset& fontScaleOffset);

} // namespace kavu
