#pragma once

#include "app/change.h"
#include "app/command.h"

// The commands that make a declared change on the phone. The windows build their package commands
// with them and the journal builds the commands that take a change back with them, so that both
// send the same text.
namespace kavu {

// The command, hidden or in a console as its caller runs it, that leaves the phone as the change
// says, with the change declared on it. Values go to the phone's shell bare when it takes them
// as they are, else single-quoted; a value it cannot be given safely, and a package name that is
// not one, refuse the command. A battery change ends the simulation (a reset) whatever it set.
Command commandFor(const Change& change);

// "adb shell settings put SPACE KEY VALUE" for a value built by its window (typed, or a number),
// declared as the value the phone stores: the value's text as it goes to the phone's shell.
Command settingCommand(QStringView space, QStringView key, const Command& value);
// "adb shell wm NAME VALUE" (density, size or overscan), declared the same way.
Command wmCommand(QStringView name, const Command& value);

} // namespace kavu
