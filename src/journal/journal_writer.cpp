#include "journal/journal_writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kavu::journal {

namespace {

// Whether the file's last byte is not a line feed (a line was cut short). An empty or new file
// is not.
bool endsTorn(QFile& file) {
    const qint64 size = file.size();
    if (size == 0) {
        return false;
    }
    QFile reading(file.fileName());
    if (!reading.open(QIODevice::ReadOnly) || !reading.seek(size - 1)) {
        return false;
    }
    char last = '\n';
    return reading.getChar(&last) && last != '\n';
}

bool flushToDisk(QFile& file) {
    if (!file.flush()) {
        return false;
    }
#ifdef Q_OS_WIN
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// A new file's name is on the disk only once its folder is.
bool flushFolder(const QString& folder) {
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return true; // NTFS keeps its own folder entries safe
#else
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed;
#endif
}

} // namespace

Appended appendLine(const QString& path, const QByteArray& line, QString* why) {
    const auto fail = [why](const QString& reason) {
        if (why != nullptr) {
            *why = reason;
        }
        return Appended::Failed;
    };
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        return fail(QCoreApplication::translate("kavu::journal", "无法创建文件夹 %1")
                        .arg(QDir::toNativeSeparators(info.absolutePath())));
    }
    const bool isNew = !info.exists();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return fail(file.errorString());
    }
    const bool torn = endsTorn(file);
    // One write: the damaged line's end and the new line go to the file together.
    const QByteArray whole = torn ? '\n' + line : line;
    if (file.write(whole) != whole.size() || !flushToDisk(file) ||
        (isNew && !flushFolder(info.absolutePath()))) {
        return fail(file.errorString());
    }
    return torn ? Appended::WrittenAfterTornLine : Appended::Written;
}

} // namespace kavu::journal
