#include "journal/journal_reader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>

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
// The file is read this much at a time, however large it is.
constexpr qint64 kChunk = 4 << 20;

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
    return qHashMulti(0, id.session, id.number);
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
    m_path.clear();
    m_offset = 0;
    m_identity.clear();
    m_partial.clear();
    m_skippingLine = false;
}

qsizetype JournalFollower::positionOf(const EntryId& id) const {
    const auto found = m_positions.find(id);
    return found == m_positions.cend() ? -1 : found->second;
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
    while (true) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty()) {
            break;
        }
        m_offset += chunk.size();
        for (const qsizetype at : take(chunk).ended) {
            // An entry of this read whose end came in a later piece of it is simply new.
            if (at < before && !growth.ended.contains(at)) {
                growth.ended.append(at);
            }
        }
    }
    growth.firstNew = growth.fromStart ? 0 : before;
    return growth;
}

JournalGrowth JournalFollower::take(QByteArrayView bytes) {
    JournalGrowth growth;
    growth.firstNew = m_read.entries.size();
    // The line begun in an earlier read, ended in this one, is read from a copy of its own.
    QByteArray joined;
    QList<QByteArrayView> lines;
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
            joined = m_partial + piece;
            m_partial.clear();
            lines.append(joined);
        } else if (!piece.isEmpty()) {
            lines.append(piece);
        }
    }
    takeLines(lines, growth);
    m_read.tornLastLine = !m_partial.isEmpty();
    return growth;
}

void JournalFollower::takeLines(const QList<QByteArrayView>& lines, JournalGrowth& growth) {
    for (const QByteArrayView line : lines) {
        std::optional<Record> record = readRecord(line);
        if (!record) {
            ++m_read.unreadableLines;
        } else if (record->entry) {
            m_positions.insert_or_assign(record->entry->id, m_read.entries.size());
            m_read.entries.append(std::move(*record->entry));
        } else if (const qsizetype at = positionOf(record->end->id); at >= 0) {
            Entry& entry = m_read.entries[at];
            entry.exitCode = record->end->exitCode;
            entry.output = std::move(record->end->output);
            entry.notStarted = record->end->notStarted;
            if (at < growth.firstNew && !growth.ended.contains(at)) {
                growth.ended.append(at);
            }
        } else {
            ++m_read.unreadableLines; // the end of a run the journal does not hold
        }
    }
}

} // namespace kavu::journal
