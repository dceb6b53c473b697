#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace kavu::journal {

// How an append went.
enum class Appended {
    Written,
    // Written after the file's last line, which a write cut short had left without its line
    // feed, was ended: the damaged line now stands alone and is skipped when read.
    WrittenAfterTornLine,
    Failed,
};

// Appends whole lines to a file that is never rewritten: opened for appending (never through a
// symbolic link), each line given to the system in one write. Once the write returns, the line
// survives the program being killed; it reaches the disk when flushDurably runs on the file (or
// when the system writes it out). The folder is made when missing; isNew, when given, tells
// whether the file was made.
Appended appendLine(const QString& path, const QByteArray& line, QString* why = nullptr,
                    bool* isNew = nullptr);

// Writes what the system holds of the file to the disk, with the folder entry of a new file.
// False, with why, when it could not.
bool flushDurably(const QString& path, bool isNew, QString* why = nullptr);

// Flushes journal files to the disk on a thread of its own, so that nobody waits on the disk for
// a line already written: each file asked for is flushed once more after the last ask. A failure
// is handed to failed on the thread that made the flusher. On destruction, what was asked is
// flushed before it returns.
class DiskFlusher final : public QObject {
    Q_OBJECT

public:
    explicit DiskFlusher(QObject* parent = nullptr);
    ~DiskFlusher() override;
    DiskFlusher(const DiskFlusher&) = delete;
    DiskFlusher& operator=(const DiskFlusher&) = delete;

    void flush(const QString& path, bool isNew);
    // Returns once everything asked so far is on the disk (or failed).
    void waitForFlushed();

signals:
    void failed(const QString& path, const QString& why);
    // Every file asked for so far was flushed.
    void flushed();

private:
    void work();

    std::mutex m_mutex;
    std::condition_variable m_asked;
    std::condition_variable m_done;
    // Path -> whether it is new (its folder is flushed too).
    QHash<QString, bool> m_pending;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace kavu::journal
