#pragma once

#include "journal/journal_entry.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace kavu::journal {

// A journal as read: its entries, oldest first, each with the end of its run when one was
// written, and what was skipped.
struct JournalRead {
    QList<Entry> entries;
    // The last line had no line feed: a write was cut short (power cut, the program killed), or
    // is still going on.
    bool tornLastLine = false;
    // Other lines that hold no record (damaged, too long, or of another kind).
    int unreadableLines = 0;
    // Why the file could not be read; empty when it was, or when there is none yet.
    QString error;
};

// The journal in this file; an empty one when there is no file. A symbolic link, or anything but
// a plain file, is not read (error says so).
JournalRead readJournal(const QString& path);
// The same from the file's bytes.
JournalRead readJournalBytes(QByteArrayView bytes);

struct EntryIdHash {
    std::size_t operator()(const EntryId& id) const noexcept;
};

// What one read of a journal that grows brought.
struct JournalGrowth {
    // The journal was read again from its start (the first read, another file, or a file that
    // was cut or replaced): every entry is new.
    bool fromStart = false;
    // Where the new entries begin.
    qsizetype firstNew = 0;
    // Entries read before whose run ended in this read.
    QList<qsizetype> ended;
};

// A journal read as it grows: each read takes only the lines appended since the one before, and
// a line whose end has not come yet is kept until it does. The end of a run joins its entry
// wherever that was read. A line longer than any entry the program writes is skipped as
// unreadable without being kept, so a damaged file never takes more memory than its entries.
class JournalFollower {
public:
    // Reads what the file at path gained since the last read; all of it when path is not the
    // file read last, or the file is shorter than what was read (or, where the system tells,
    // another file now has its name). A symbolic link is not followed, and anything but a
    // plain file is not read: the journal is then empty and its error says why.
    JournalGrowth follow(const QString& path);
    // Takes the next bytes of the journal.
    JournalGrowth take(QByteArrayView bytes);
    // Forgets what was read: the next read starts from the beginning.
    void clear();

    const JournalRead& journal() const { return m_read; }
    // Where the entry with this id is in journal().entries; -1 when it is not there.
    qsizetype positionOf(const EntryId& id) const;

private:
    // Entries read before this read whose run ended in it, each once, in the order they ended.
    struct Ended {
        QList<qsizetype> places;
        QSet<qsizetype> seen;

        void add(qsizetype at);
    };

    // Takes the bytes: entries before firstNew whose run ended go to ended.
    void takeBytes(QByteArrayView bytes, qsizetype firstNew, Ended& ended);
    void takeLine(QByteArrayView line, qsizetype firstNew, Ended& ended);
    // Makes room for a read of allBytes whose first bytes held entries.
    void makeRoom(qsizetype entries, qint64 bytes, qint64 allBytes);
    JournalGrowth refuse(const QString& why);

    JournalRead m_read;
    QHash<EntryId, qsizetype> m_positions;
    RecordReader m_records;
    QString m_path;
    qint64 m_offset = 0;
    // The file read, where the system tells: a file put in its place is read from its start.
    QByteArray m_identity;
    // The start of a line whose end has not come yet.
    QByteArray m_partial;
    // The line going on is too long to be an entry: its bytes are dropped until its end.
    bool m_skippingLine = false;
};

} // namespace kavu::journal
