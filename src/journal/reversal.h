#pragma once

#include "app/command.h"
#include "journal/device_snapshot.h"
#include "journal/journal_entry.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// The rules for taking a change back: which console line changes what on the phone, what
// reverses it given what the phone held before, and what the phone holds after it.
namespace kavu::journal {

// The words a reversal keeps for what it restores, written into the journal file as they stand
// (the file's language is the program's own) and shown in the window's language (shownRestores).
inline constexpr const char* kRestoresDefault = QT_TRANSLATE_NOOP("kavu::journal", "默认");
inline constexpr const char* kRestoresDefaultOf = QT_TRANSLATE_NOOP("kavu::journal", "默认（%1）");
inline constexpr const char* kRestoresNoValue = QT_TRANSLATE_NOOP("kavu::journal", "（无值）");
inline constexpr const char* kRestoresEnabled = QT_TRANSLATE_NOOP("kavu::journal", "已启用");
inline constexpr const char* kRestoresDisabled = QT_TRANSLATE_NOOP("kavu::journal", "已停用");
inline constexpr const char* kRestoresInstalled = QT_TRANSLATE_NOOP("kavu::journal", "已安装");
inline constexpr const char* kRestoresActualBattery =
    QT_TRANSLATE_NOOP("kavu::journal", "实际电池状态");

// What a reversal restores, as kept in the journal, in the window's language; a setting's own
// value stands as it is.
QString shownRestores(const QString& kept);

// The words of the phone command a console line runs ("adb shell X" or "adb -d shell X", up to
// the first & or | of the line outside double quotes, X without the double quotes around it);
// none for a line that runs none.
std::optional<QStringList> phoneCommandOf(const QString& consoleLine);

// How the change the line makes is taken back, given what the device held before it.
Reversal reversalOf(const QString& consoleLine, const DeviceSnapshot& before);

// The device after the change the line makes, as far as the line tells.
void applyChange(const QString& consoleLine, DeviceSnapshot& snapshot);

// The command that runs a reversing phone command kept in a journal ("adb shell COMMAND"), each
// word checked again as text for the phone's shell ('quoted' words as quoted text); none when the
// program is not one a reversal uses or a word is refused. A journal file is data.
std::optional<Command> reversingCommand(const QString& phoneCommand);

} // namespace kavu::journal
