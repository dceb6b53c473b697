#pragma once

#include <QByteArray>
#include <QString>

namespace kavu::journal {

// How an append went.
enum class Appended {
    Written,
    // Written after the file's last line, which a write cut short had left without its line
    // feed, was ended: the damaged line now stands alone and is skipped when read.
    WrittenAfterTornLine,
    Failed,
};

// Appends whole lines to a file that is never rewritten: opened for appending, each line given to
// the system in one write, and flushed to the disk (with the folder entry of a new file) before
// the append counts as done. The folder is made when missing.
Appended appendLine(const QString& path, const QByteArray& line, QString* why = nullptr);

} // namespace kavu::journal
