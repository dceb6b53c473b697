#include "journal/journal.h"

#include "app/app.h"
#include "devices/device_watch.h"
#include "journal/journal_writer.h"
#include "journal/reversal.h"
#include "journal/snapshot_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QRandomGenerator>

#include <algorithm>

namespace kavu::journal {

namespace {

constexpr qsizetype kLongestShownLine = 120;

// The first line of a run's output with text on it, shortened for the device row.
QString firstLineOf(const QByteArray& output) {
    for (const QByteArray& line : output.split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (!text.isEmpty()) {
            return text.size() > kLongestShownLine ? text.left(kLongestShownLine) + u'…' : text;
        }
    }
    return {};
}

QString modelOf(const App& app, const std::optional<QString>& serial) {
    DeviceWatch* watch = app.deviceWatch();
    if (watch == nullptr || !serial) {
        return {};
    }
    for (const adb::ListedDevice& device : watch->snapshot().devices) {
        if (QString::fromStdString(device.serial) == *serial) {
            return QString::fromStdString(device.model);
        }
    }
    return {};
}

} // namespace

bool isUndone(const Entry& entry, const QList<Entry>& all) {
    return std::any_of(all.cbegin(), all.cend(),
                       [&entry](const Entry& later) { return later.undoes == entry.id; });
}

bool canUndo(const Entry& entry, const QList<Entry>& all) {
    const bool hasCommand = (entry.reversal.state == Reversal::State::Reversible ||
                             entry.reversal.state == Reversal::State::OldValueUnknown) &&
                            !entry.reversal.command.isEmpty();
    const bool failed = entry.exitCode.value_or(0) != 0;
    return hasCommand && !failed && !isUndone(entry, all);
}

Journal::Journal(App& app, QString folder, QObject* parent)
    : QObject(parent)
    , m_app(app)
    , m_folder(std::move(folder))
    , m_session(QString::number(QRandomGenerator::global()->generate64(), 36)) {
    QCoreApplication::instance()->installEventFilter(&m_tracker);
    m_app.console().setWatcher(this);
}

Journal::~Journal() {
    m_app.console().setWatcher(nullptr);
}

std::optional<QString> Journal::chosenDevice() const {
    return m_app.processes().deviceSerial();
}

QString Journal::pathFor(const std::optional<QString>& serial) const {
    return QDir(m_folder).filePath(fileNameFor(serial));
}

JournalRead Journal::read(const std::optional<QString>& serial) {
    const QString path = pathFor(serial);
    JournalRead journal = readJournal(path);
    if (journal.tornLastLine && !m_toldTorn.contains(path)) {
        m_toldTorn.insert(path);
        emit notice(tr("操作记录的最后一行不完整（上次写入被中断），已跳过。"));
    }
    return journal;
}

void Journal::deviceChosen() {
    if (m_snapshots == nullptr) {
        AdbShellClient* client = m_app.shellClient();
        if (client == nullptr) {
            return;
        }
        m_snapshots = new SnapshotReader(*client, this);
        connect(m_snapshots, &SnapshotReader::answered, this, &Journal::snapshotRead);
    }
    const std::optional<QString> chosen = chosenDevice();
    if (!chosen) {
        m_snapshots->clear();
    } else if (m_snapshots->serial() != chosen) {
        m_snapshots->read(*chosen);
    }
}

ProcessStarter::RunEnded Journal::starting(const QString& line, launch::WindowMode mode) {
    Entry entry;
    entry.id = {m_session, ++m_lastNumber};
    entry.time = QDateTime::currentDateTime();
    entry.window = m_tracker.window();
    entry.control = m_tracker.control();
    entry.line = line;
    entry.mode = mode;
    entry.serial = chosenDevice();
    entry.model = modelOf(m_app, entry.serial);
    const bool snapshotOfDevice =
        m_snapshots != nullptr && entry.serial && m_snapshots->serial() == entry.serial;
    entry.reversal =
        reversalOf(line, snapshotOfDevice ? m_snapshots->snapshot() : DeviceSnapshot{});
    entry.undoes = m_undoingEntry;
    m_pending = entry;
    if (mode != launch::WindowMode::Hidden) {
        return {};
    }
    return [journal = QPointer<Journal>(this), id = entry.id,
            path = pathFor(entry.serial)](const RunEnd& end) {
        if (journal) {
            journal->ended(id, path, end);
        }
    };
}

void Journal::started() {
    if (!m_pending) {
        return;
    }
    const Entry entry = std::move(*m_pending);
    m_pending.reset();
    if (m_snapshots != nullptr && entry.serial && m_snapshots->serial() == entry.serial) {
        m_snapshots->change(
            [&line = entry.line](DeviceSnapshot& snapshot) { applyChange(line, snapshot); });
    }
    write(pathFor(entry.serial), entryLine(entry));
}

void Journal::ended(const EntryId& id, const QString& path, const RunEnd& end) {
    write(path, endLine(id, end));
    if (end.exitCode != 0) {
        emit notice(tr("上一条命令失败（退出码 %1）：%2")
                        .arg(end.exitCode)
                        .arg(firstLineOf(end.outputTail)));
    }
    // What the change did is read back from the device.
    if (m_snapshots != nullptr && m_snapshots->serial() && path == pathFor(m_snapshots->serial()) &&
        m_snapshots->serial() == chosenDevice()) {
        m_snapshots->read(*m_snapshots->serial());
    }
    if (m_waitingFor == id) {
        m_waitingFor.reset();
        if (end.exitCode != 0) {
            stopUndo(tr("撤销命令失败，其余未撤销的更改保持不变。"));
            return;
        }
        undoNext();
    }
}

bool Journal::undo(const QList<Entry>& entries, const QList<Entry>& all) {
    if (undoing()) {
        emit notice(tr("正在撤销，请稍候。"));
        return false;
    }
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        if (canUndo(*entry, all)) {
            m_undoQueue.append(*entry);
        }
    }
    if (m_undoQueue.isEmpty()) {
        emit notice(tr("没有可以撤销的更改。"));
        return false;
    }
    undoNext();
    return true;
}

void Journal::undoNext() {
    if (m_undoQueue.isEmpty()) {
        return;
    }
    const Entry entry = m_undoQueue.takeFirst();
    if (entry.serial != chosenDevice()) {
        stopUndo(tr("所选的记录属于另一台设备，未撤销。"));
        return;
    }
    const std::optional<Command> command = reversingCommand(entry.reversal.command);
    if (!command) {
        stopUndo(tr("记录中的撤销命令无效，未撤销：%1").arg(entry.reversal.command));
        return;
    }
    m_undoingEntry = entry.id;
    const EntryId next{m_session, m_lastNumber + 1};
    const bool ran = m_app.console().run(*command, launch::kHidden);
    m_undoingEntry.reset();
    if (!ran) {
        stopUndo(QString());
        return;
    }
    m_waitingFor = next;
}

void Journal::stopUndo(const QString& why) {
    m_undoQueue.clear();
    m_waitingFor.reset();
    if (!why.isEmpty()) {
        emit notice(why);
    }
}

void Journal::write(const QString& path, const QByteArray& line) {
    QString why;
    switch (appendLine(path, line, &why)) {
    case Appended::Written:
        break;
    case Appended::WrittenAfterTornLine:
        m_toldTorn.insert(path);
        emit notice(tr("操作记录的最后一行不完整（上次写入被中断），已跳过。"));
        break;
    case Appended::Failed:
        emit notice(tr("无法写入操作记录 %1：%2").arg(path, why));
        break;
    }
    emit written();
}

} // namespace kavu::journal
