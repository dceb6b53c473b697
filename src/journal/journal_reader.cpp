#include "journal/journal_reader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>

#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kavu::journal {

namespace {

// Far longer than any line the program writes (its longest part is a run's 4 KiB of output).
constexpr qsizetype kLongestLine = 1 << 20;
// The file is read this much at a time, however large it is, and at least this much.
constexpr qint64 kChunk = 4 << 20;
constexpr qint64 kLeastChunk = 64 << 10;
// After its first piece, room is made for the entries the rest of a file likely holds, up to this
// many times those of the first piece.
constexpr qint64 kMostGrowth = 16;

QString tr(const char* text) {
    return QCoreApplication::translate("kavu::journal::JournalFollower", text);
}

#ifndef Q_OS_WIN
// Opens the file for reading when it is a plain file reached without a symbolic link; else why
// not. The checks made before are made again on what was opened, so that a link put in between
// is not followed.
QString openPlainFile(QFile& file, const QString& path, QByteArray* identity) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ELOOP ? tr("操作记录文件是符号链接，为安全起见未读取")
                              : qt_error_string(errno);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return tr("操作记录文件不是普通文件，未读取");
    }
    *identity = QByteArray::number(static_cast<qulonglong>(status.st_dev)) + ':' +
                QByteArray::number(static_cast<qulonglong>(status.st_ino));
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) ? QString()
                                                                            : file.errorString();
}
#else
QString openPlainFile(QFile& file, const QString& path, QByteArray* identity) {
    identity->clear();
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
}
#endif

} // namespace

std::size_t EntryIdHash::operator()(const EntryId& id) const noexcept {
    return qHash(id);
}

JournalRead readJournal(const QString& path) {
    JournalFollower follower;
    follower.follow(path);
    return follower.journal();
}

JournalRead readJournalBytes(QByteArrayView bytes) {
    JournalFollower follower;
    follower.take(bytes);
    return follower.journal();
}

void JournalFollower::clear() {
    m_read = {};
    m_positions.clear();
    m_records = {};
    m_path.clear();
    m_offset = 0;
    m_identity.clear();
    m_partial.clear();
    m_skippingLine = false;
}

qsizetype JournalFollower::positionOf(const EntryId& id) const {
    return m_positions.value(id, -1);
}

JournalGrowth JournalFollower::refuse(const QString& why) {
    const QString path = m_path;
    clear();
    m_path = path;
    m_read.error = why;
    return {true, 0, {}};
}

JournalGrowth JournalFollower::follow(const QString& path) {
    JournalGrowth growth;
    if (path != m_path || !m_read.error.isEmpty()) {
        clear();
        m_path = path;
        growth.fromStart = true;
    }
    // A journal in the program's folder that is a link was put there by someone else: read
    // through, it would show another file as this phone's journal, and offer to run the
    // reversing commands written in it.
    const QFileInfo info(path);
    if (info.isSymLink()) {
        return refuse(
            tr("操作记录文件是符号链接（指向 %1），为安全起见未读取").arg(info.symLinkTarget()));
    }
    if (!info.exists()) {
        if (m_offset > 0 || !m_partial.isEmpty() || m_read.unreadableLines > 0) {
            return refuse({});
        }
        return growth;
    }
    if (!info.isFile()) {
        return refuse(tr("操作记录文件不是普通文件，未读取"));
    }
    QFile file;
    QByteArray identity;
    if (const QString why = openPlainFile(file, path, &identity); !why.isEmpty()) {
        return refuse(why);
    }
    if (file.size() < m_offset || identity != m_identity) {
        if (m_offset > 0) {
            clear();
            m_path = path;
            growth.fromStart = true;
        }
        m_identity = identity;
    }
    if (!file.seek(m_offset)) {
        return refuse(file.errorString());
    }
    const qsizetype before = m_read.entries.size();
    Ended ended;
    // One buffer for every piece, no larger than the file needs (it may still grow meanwhile): the
    // lines are read where they lie in it.
    const qint64 toRead = file.size() - m_offset;
    QByteArray chunk(static_cast<qsizetype>(std::clamp(toRead + 1, kLeastChunk, kChunk)),
                     Qt::Uninitialized);
    for (qint64 read = 0;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got <= 0) {
            break;
        }
        m_offset += got;
        takeBytes(QByteArrayView(chunk.constData(), got), before, ended);
        if (read == 0 && got < toRead) {
            makeRoom(m_read.entries.size() - before, got, toRead);
        }
        read += got;
    }
    growth.firstNew = growth.fromStart ? 0 : before;
    growth.ended = std::move(ended.places);
    return growth;
}

void JournalFollower::makeRoom(qsizetype entries, qint64 bytes, qint64 allBytes) {
    // As many as the first piece held for its size, and no more than a few times as many as it
    // held: a file with little but damage after a first piece of entries takes no more room.
    const qint64 expected = std::min(entries * allBytes / bytes, entries * kMostGrowth);
    m_read.entries.reserve(m_read.entries.size() - entries + expected);
    m_positions.reserve(m_positions.size() - entries + expected);
}

JournalGrowth JournalFollower::take(QByteArrayView bytes) {
    JournalGrowth growth;
    growth.firstNew = m_read.entries.size();
    Ended ended;
    takeBytes(bytes, growth.firstNew, ended);
    growth.ended = std::move(ended.places);
    return growth;
}

void JournalFollower::Ended::add(qsizetype at) {
    if (!seen.contains(at)) {
        seen.insert(at);
        places.append(at);
    }
}

void JournalFollower::takeBytes(QByteArrayView bytes, qsizetype firstNew, Ended& ended) {
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        const QByteArrayView piece = bytes.sliced(start, (end < 0 ? bytes.size() : end) - start);
        start = end < 0 ? bytes.size() : end + 1;
        if (m_skippingLine) {
            m_skippingLine = end < 0;
            continue;
        }
        if (m_partial.size() + piece.size() > kLongestLine) {
            m_partial.clear();
            m_skippingLine = end < 0;
            ++m_read.unreadableLines;
            continue;
        }
        if (end < 0) {
            m_partial += piece;
            break;
        }
        if (!m_partial.isEmpty()) {
            // The line begun in an earlier read, ended in this one, is read from a copy of its own.
            const QByteArray joined = m_partial + piece;
            m_partial.clear();
            takeLine(joined, firstNew, ended);
        } else if (!piece.isEmpty()) {
            takeLine(piece, firstNew, ended);
        }
    }
    m_read.tornLastLine = !m_partial.isEmpty();
}

void JournalFollower::takeLine(QByteArrayView line, qsizetype firstNew, Ended& ended) {
    // The line is read into a new last entry, which stays when the line holds an entry.
    Entry& taken = m_read.entries.emplaceBack();
    switch (m_records.read(line, taken)) {
    case LineHolds::Entry:
        m_positions.insert(taken.id, m_read.entries.size() - 1);
        return;
    case LineHolds::End:
        if (const qsizetype at = positionOf(taken.id); at >= 0) {
            Entry& entry = m_read.entries[at];
            entry.exitCode = taken.exitCode;
            entry.output = std::move(taken.output);
            entry.notStarted = taken.notStarted;
            if (at < firstNew) {
                ended.add(at);
            }
        } else {
            ++m_read.unreadableLines; // the end of a run the journal does not hold
        }
        break;
    case LineHolds::Nothing:
        ++m_read.unreadableLines;
        break;
    }
    m_read.entries.removeLast();
}

} // namespace kavu::journal
