#pragma once

#include "app/change.h"
#include "core/launch.h"
#include "journal/json_line.h"
#include "journal/shared_texts.h"
#include "platform/services.h"

#include <QByteArray>
#include <QDateTime>
#include <QHashFunctions>
#include <QString>

#include <optional>

namespace kavu::journal {

// Which line of which run of the program: the run's session and the line's number in it.
struct EntryId {
    QString session;
    qint64 number = 0;

    bool operator==(const EntryId&) const = default;
};

inline std::size_t qHash(const EntryId& id, std::size_t seed = 0) noexcept {
    return qHashMulti(seed, id.session, id.number);
}

// Whether and how a change can be taken back.
struct Reversal {
    enum class State {
        Reversible,   // command reverses it
        Irreversible, // nothing does ("不可撤销")
        OldValueUnknown, // the value it replaced was not known ("原值未知"); command resets, if any
        Unchanged,       // it changes nothing that was not so before
    };
    State state = State::Irreversible;
    // The change that reverses it; none when nothing does.
    std::optional<Change> undo;
    // The phone command that reverses it, as shown (run as "adb shell COMMAND"); empty for none.
    QString command;
    // The value it restores, as the user reads it.
    QString restores;

    bool operator==(const Reversal&) const = default;
};

// One line the program started, as the journal keeps it.
struct Entry {
    EntryId id;
    QDateTime time;
    QString window;
    QString control;
    QString line;
    launch::WindowMode mode = launch::WindowMode::Hidden;
    std::optional<QString> serial;
    QString model;
    Reversal reversal;
    // The entry this line reverses, when it was started to undo one.
    std::optional<EntryId> undoes;
    // How a hidden run ended, once it has: written as a line of its own.
    std::optional<int> exitCode;
    QString output;
    // The line never started (no terminal, the interpreter missing): it changed nothing.
    bool notStarted = false;
};

// The entry as one line of JSON with its line feed (the end of the run is not in it).
QByteArray entryLine(const Entry& entry);
// The end of the entry's hidden run as one line of JSON with its line feed.
QByteArray endLine(const EntryId& id, const RunEnd& end);
// The line of an entry whose line never started.
QByteArray notStartedLine(const EntryId& id);

// What one line of a journal holds.
struct Record {
    std::optional<Entry> entry;
    // The end of a run: its entry's id, its exit code and output in the entry's fields.
    std::optional<Entry> end;
};
// The line's record; none for a line that is not one (damaged, or of another kind).
std::optional<Record> readRecord(QByteArrayView line);

// What one line of a journal holds.
enum class LineHolds { Nothing, Entry, End };

// Reads the lines of a journal one after another as readRecord does, each into an entry of its
// own; texts that recur in them (window, control, phone, session, often the line) share one copy.
class RecordReader {
public:
    // Reads the line into entry, one just made: the entry the line holds, or the end of a run (its
    // entry's id, exit code, output and notStarted). For a line that holds neither, entry may be
    // partly filled.
    LineHolds read(QByteArrayView line, Entry& entry);

private:
    JsonLine m_json;
    SharedTexts m_texts;
};

// The name of a device's journal file: the serial with every byte but ASCII letters, digits, '.',
// '-' and '_' written %XX (and the first letter of a name Windows keeps for a device, such as
// "CON", too), then ".jsonl"; "(no-device).jsonl" when none is chosen. Different serials never
// share a file, and the name is safe on Linux and Windows.
QString fileNameFor(const std::optional<QString>& serial);

} // namespace kavu::journal
