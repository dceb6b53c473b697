#include "journal/journal_writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <utility>

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
bool endsTorn(const QString& path, QFile& file) {
    const qint64 size = file.size();
    if (size == 0) {
        return false;
    }
    QFile reading(path);
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

// Opens the file for appending, made when missing, never through a symbolic link (a link put in
// the journal's place would have the program write where it points).
// Empty when it opened, else why not.
QString openForAppending(QFile& file) {
#ifdef Q_OS_WIN
    return file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)
               ? QString()
               : file.errorString();
#else
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        return qt_error_string(errno);
    }
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
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

Appended appendLine(const QString& path, const QByteArray& line, QString* why, bool* isNew) {
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
    if (info.isSymLink()) {
        return fail(QCoreApplication::translate("kavu::journal", "是符号链接，为安全起见未写入"));
    }
    const bool made = !info.exists();
    QFile file(path);
    if (const QString error = openForAppending(file); !error.isEmpty()) {
        return fail(error);
    }
    const bool torn = endsTorn(path, file);
    // One write: the damaged line's end and the new line go to the file together.
    const QByteArray whole = torn ? '\n' + line : line;
    if (file.write(whole) != whole.size()) {
        return fail(file.errorString());
    }
    if (isNew != nullptr) {
        *isNew = made;
    }
    return torn ? Appended::WrittenAfterTornLine : Appended::Written;
}

bool flushDurably(const QString& path, bool isNew, QString* why) {
    QFile file(path);
    QString error = openForAppending(file);
    if (error.isEmpty() &&
        !(flushToDisk(file) && (!isNew || flushFolder(QFileInfo(path).absolutePath())))) {
        error = qt_error_string();
    }
    if (why != nullptr) {
        *why = error;
    }
    return error.isEmpty();
}

DiskFlusher::DiskFlusher(QObject* parent)
    : QObject(parent)
    , m_thread([this] { work(); }) {}

DiskFlusher::~DiskFlusher() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_asked.notify_one();
    m_thread.join();
}

void DiskFlusher::flush(const QString& path, bool isNew) {
    {
        const std::lock_guard lock(m_mutex);
        bool& known = m_pending[path];
        known = known || isNew;
    }
    m_asked.notify_one();
}

void DiskFlusher::waitForFlushed() {
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return m_pending.isEmpty() && !m_busy; });
}

void DiskFlusher::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_asked.wait(lock, [this] { return m_stopping || !m_pending.isEmpty(); });
        if (m_pending.isEmpty()) {
            return; // stopping, with nothing left
        }
        const QHash<QString, bool> files = std::exchange(m_pending, {});
        m_busy = true;
        lock.unlock();
        bool allFlushed = true;
        for (auto file = files.cbegin(); file != files.cend(); ++file) {
            QString why;
            if (!flushDurably(file.key(), file.value(), &why)) {
                allFlushed = false;
                QMetaObject::invokeMethod(
                    this, [this, path = file.key(), why] { emit failed(path, why); });
            }
        }
        if (allFlushed) {
            QMetaObject::invokeMethod(this, [this] { emit flushed(); });
        }
        lock.lock();
        m_busy = false;
        m_done.notify_all();
    }
}

} // namespace kavu::journal
