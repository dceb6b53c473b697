#include "journal/journal_reader.h"

#include <QFile>
#include <QHash>

namespace kavu::journal {

namespace {

QString keyOf(const EntryId& id) {
    return id.session + u'/' + QString::number(id.number);
}

} // namespace

JournalRead readJournal(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        JournalRead read;
        read.error = file.errorString();
        return read;
    }
    return readJournalBytes(file.readAll());
}

JournalRead readJournalBytes(QByteArrayView bytes) {
    JournalRead read;
    QHash<QString, qsizetype> positions;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            read.tornLastLine = true;
            break;
        }
        const QByteArrayView line = bytes.sliced(start, end - start);
        start = end + 1;
        if (line.isEmpty()) {
            continue;
        }
        std::optional<Record> record = readRecord(line);
        if (!record) {
            ++read.unreadableLines;
        } else if (record->entry) {
            positions.insert(keyOf(record->entry->id), read.entries.size());
            read.entries.append(std::move(*record->entry));
        } else if (const auto found = positions.constFind(keyOf(record->end->id));
                   found != positions.cend()) {
            Entry& entry = read.entries[*found];
            entry.exitCode = record->end->exitCode;
            entry.output = std::move(record->end->output);
        } else {
            ++read.unreadableLines; // the end of a run the journal does not hold
        }
    }
    return read;
}

} // namespace kavu::journal
