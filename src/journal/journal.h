#pragma once

#include "app/console_launcher.h"
#include "journal/journal_reader.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>

namespace kavu {

class App;

namespace journal {

class DiskFlusher;
class SnapshotReader;

// Whether the entry can be taken back now: it names its phone, has a reversing command (a reset
// counts), was not taken back yet, and is not a hidden run that failed (it changed nothing). all:
// the journal the entry is in.
bool canUndo(const Entry& entry, const QList<Entry>& all);
// Whether a later entry of all took this one back: an undo of it that ended well.
bool isUndone(const Entry& entry, const QList<Entry>& all);

// The journal of every line the program starts, one file per device in its folder: who started
// it (window and control), the line, the device and, for a change that can be taken back, the
// command that does so, worked out from the device's snapshot. Hidden runs add how they ended;
// a failed one is told (notice). Entries are taken back through the same launcher, one after
// another, and are journaled as well.
class Journal final : public QObject, public LaunchWatcher {
    Q_OBJECT

public:
    // Watches app's launcher; reads snapshots through its shell client, once it has one.
    Journal(App& app, QString folder, QObject* parent = nullptr);
    ~Journal() override;
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const QString& folder() const { return m_folder; }
    // Where the journal goes when its folder cannot be made or written (the data folder); none:
    // nowhere else.
    void setFallbackFolder(QString folder);
    // This run of the program: entries made since it started carry it.
    const QString& session() const { return m_session; }
    // The one device chosen now; none when none is, or every device is.
    std::optional<QString> chosenDevice() const;
    QString pathFor(const std::optional<QString>& serial) const;
    // The device's journal. A last line cut short is told once (notice).
    JournalRead read(const std::optional<QString>& serial);

    // Takes back those of these entries (oldest first) that canUndo allows, newest first, each on
    // the phone its entry names and only there: each reversing command starts once the one before
    // ended well. False, with a notice, when another undo is under way or there is nothing to take
    // back.
    bool undo(const QList<Entry>& entries, const QList<Entry>& all);
    bool undoing() const { return !m_undoQueue.isEmpty() || m_waitingFor.has_value(); }
    // Stops an undo under way: the command running now is left to end (its end is journaled and
    // counts if it ended well), nothing further is taken back.
    void cancelUndo();

    // The chosen device may have changed: its snapshot is read when it did.
    void deviceChosen();
    // Whether a read of the chosen phone's snapshot is under way.
    bool readingSnapshot() const;

    // The settings the program's commands declare they change: the snapshot reads each.
    void setDeclaredChanges(const QList<Command>& commands);

    // Writes the entry before the line starts, with how its declared change is taken back.
    ProcessStarter::RunEnded starting(const Start& start) override;
    void started(bool started) override;
    void skipped(const std::optional<QString>& serial) override;

signals:
    // An entry, or the end of a run, was written (the file holds it; the disk may not yet).
    void written();
    // An undo began or ended (undoing() tells which).
    void undoingChanged(bool undoing);
    // Every answer of a read of the chosen device's snapshot is in.
    void snapshotRead();
    // Something the user should read for a moment: a failed hidden run, a phone skipped, a journal
    // problem.
    void notice(const QString& text);

private:
    void ended(const EntryId& id, const std::optional<QString>& serial, const Change& change,
               const RunEnd& end);
    void undoNext();
    void stopUndo(const QString& why);
    void write(const QString& path, const QByteArray& line);

    App& m_app;
    QString m_folder;
    QString m_session;
    qint64 m_lastNumber = 0;
    SnapshotReader* m_snapshots = nullptr;
    // The entry written for the line starting now.
    std::optional<EntryId> m_starting;
    std::optional<QString> m_startingSerial;
    QStringList m_declaredSettings;
    std::optional<EntryId> m_undoingEntry;
    QList<Entry> m_undoQueue;
    std::optional<EntryId> m_waitingFor;
    QSet<QString> m_toldTorn;
    QSet<QString> m_toldUnwritable;
    QString m_fallbackFolder;
    // Phones skipped in the last moments, told together: many phones leaving at once make one
    // notice, not one each that hides the others.
    QStringList m_skipped;
    // Lines are written before their line starts and reach the disk on the flusher's thread.
    DiskFlusher* m_flusher;
    QTimer* m_tellSkipped;
    QTimer* m_undoTimeLimit;
};

} // namespace journal
} // namespace kavu
