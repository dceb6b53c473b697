#pragma once

#include "app/command.h"
#include "journal/device_snapshot.h"
#include "journal/journal_entry.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// The rules for taking a change back, on the change a command declares: what reverses it given
// what the phone held before, and what the phone holds after it.
namespace kavu::journal {

// The words a reversal keeps for what it restores, written into the journal file as they stand
// (the file's language is the program's own) and shown in the window's language (shownRestores).
inline constexpr const char* kRestoresDefault = QT_TRANSLATE_NOOP("kavu::journal", "默认");
inline constexpr const char* kRestoresDefaultOf = QT_TRANSLATE_NOOP("kavu::journal", "默认（%1）");
inline constexpr const char* kRestoresNoValue = QT_TRANSLATE_NOOP("kavu::journal", "（无值）");
inline constexpr const char* kRestoresEnabled = QT_TRANSLATE_NOOP("kavu::journal", "已启用");
inline constexpr const char* kRestoresDisabled = QT_TRANSLATE_NOOP("kavu::journal", "已停用");
inline constexpr const char* kRestoresInstalled = QT_TRANSLATE_NOOP("kavu::journal", "已安装");
inline constexpr const char* kRestoresDisabledUser =
    QT_TRANSLATE_NOOP("kavu::journal", "已安装，已停用");
inline constexpr const char* kRestoresNotInstalled =
    QT_TRANSLATE_NOOP("kavu::journal", "已卸载（用户 0）");
inline constexpr const char* kRestoresBattery = QT_TRANSLATE_NOOP("kavu::journal", "实际电池状态");

// What a reversal restores, as kept in the journal, in the window's language; a setting's own
// value stands as it is.
QString shownRestores(const QString& kept);

// How a change is taken back, given what the device held before it.
Reversal reversalOf(const Change& change, const DeviceSnapshot& before);

// The device after the change, as far as the change tells.
void applyChange(const Change& change, DeviceSnapshot& snapshot);

// The command that takes a change back, with the change it makes declared; none when the
// reversal has no change or its command is refused (a journal file is data: every word is checked
// again).
std::optional<Command> reversingCommand(const Reversal& reversal);

} // namespace kavu::journal
