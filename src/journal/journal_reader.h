#pragma once

#include "journal/journal_entry.h"

#include <QList>
#include <QString>

namespace kavu::journal {

// A journal as read: its entries, oldest first, each with the end of its run when one was
// written, and what was skipped.
struct JournalRead {
    QList<Entry> entries;
    // The last line had no line feed: a write was cut short (power cut, the program killed).
    bool tornLastLine = false;
    // Other lines that hold no record (damaged, or of another kind).
    int unreadableLines = 0;
    // Why the file could not be read; empty when it was, or when there is none yet.
    QString error;
};

// The journal in this file; an empty one when there is no file.
JournalRead readJournal(const QString& path);
// The same from the file's bytes.
JournalRead readJournalBytes(QByteArrayView bytes);

} // namespace kavu::journal
