#include "journal/journal.h"

#include "app/app.h"
#include "devices/device_watch.h"
#include "journal/journal_writer.h"
#include "journal/reversal.h"
#include "journal/snapshot_reader.h"
#include "journal/undone_index.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QRandomGenerator>

#include <algorithm>

namespace kavu::journal {

namespace {

constexpr qsizetype kLongestShownLine = 120;
// How long phones skipped one after another are gathered into one notice.
constexpr int kSkippedTogetherMs = 200;
constexpr int kUndoTimeLimitMs = 30'000;

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
    return std::any_of(all.cbegin(), all.cend(), [&entry](const Entry& later) {
        return later.undoes == entry.id && later.exitCode == 0;
    });
}

bool canUndo(const Entry& entry, const QList<Entry>& all) {
    const bool hasCommand = (entry.reversal.state == Reversal::State::Reversible ||
                             entry.reversal.state == Reversal::State::OldValueUnknown) &&
                            entry.reversal.undo.has_value();
    const bool failed = entry.exitCode.value_or(0) != 0 || entry.notStarted;
    return entry.serial && hasCommand && !failed && !isUndone(entry, all);
}

Journal::Journal(App& app, QString folder, QObject* parent)
    : QObject(parent)
    , m_app(app)
    , m_folder(std::move(folder))
    , m_session(QString::number(QRandomGenerator::system()->generate64(), 36))
    , m_flusher(new DiskFlusher(this))
    , m_tellSkipped(new QTimer(this))
    , m_undoTimeLimit(new QTimer(this)) {
    // An undo that does not end (a phone that stopped answering) does not hold the others forever;
    // if it ends well later, its entry still counts as taken back.
    m_undoTimeLimit->setSingleShot(true);
    m_undoTimeLimit->setInterval(kUndoTimeLimitMs);
    connect(m_undoTimeLimit, &QTimer::timeout, this, [this] {
        stopUndo(tr("撤销命令 %1 秒内未结束，已停止撤销；其余更改保持不变。")
                     .arg(kUndoTimeLimitMs / 1000));
    });
    m_tellSkipped->setSingleShot(true);
    m_tellSkipped->setInterval(kSkippedTogetherMs);
    connect(m_tellSkipped, &QTimer::timeout, this, [this] {
        emit notice(m_skipped.size() == 1
                        ? tr("%1：设备已不在列表中，未运行。").arg(m_skipped.first())
                        : tr("%1 台设备已不在列表中，未运行：%2")
                              .arg(m_skipped.size())
                              .arg(m_skipped.join(tr("、"))));
        m_skipped.clear();
    });
    connect(m_flusher, &DiskFlusher::failed, this, [this](const QString& path, const QString& why) {
        emit notice(tr("无法写入操作记录 %1：%2").arg(path, why));
    });
    m_app.console().setWatcher(this);
    connect(&m_app.devices(), &DeviceChoice::changed, this, &Journal::deviceChosen);
    // A phone chosen before it was ready (unauthorized, offline) is read once it is.
    connect(&m_app.devices(), &DeviceChoice::listed, this, &Journal::deviceChosen);
}

Journal::~Journal() {
    m_app.console().setWatcher(nullptr);
}

std::optional<QString> Journal::chosenDevice() const {
    return m_app.devices().serial();
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
        m_snapshots = new SnapshotReader(*client, m_declaredSettings, this);
        connect(m_snapshots, &SnapshotReader::answered, this, &Journal::snapshotRead);
    }
    const std::optional<QString> chosen = chosenDevice();
    if (!chosen) {
        m_snapshots->clear();
    } else if (m_snapshots->serial() != chosen ||
               (!m_snapshots->complete() && !m_snapshots->reading() &&
                m_app.devices().isReady(*chosen))) {
        m_snapshots->read(*chosen);
    }
}

bool Journal::readingSnapshot() const {
    return m_snapshots != nullptr && m_snapshots->reading();
}

void Journal::setDeclaredChanges(const QList<Command>& commands) {
    m_declaredSettings.clear();
    for (const Command& command : commands) {
        const Change& change = command.change();
        if (change.kind == Change::Kind::Setting &&
            !m_declaredSettings.contains(change.settingId())) {
            m_declaredSettings.append(change.settingId());
        }
    }
}

ProcessStarter::RunEnded Journal::starting(const Start& start) {
    Entry entry;
    entry.id = {m_session, ++m_lastNumber};
    entry.time = QDateTime::currentDateTime();
    entry.window = start.origin.window;
    entry.control = start.origin.control;
    entry.line = start.line;
    entry.mode = start.mode;
    entry.serial = start.environment.serial;
    entry.model = modelOf(m_app, entry.serial);
    const bool snapshotOfDevice =
        m_snapshots != nullptr && entry.serial && m_snapshots->serial() == entry.serial;
    entry.reversal =
        reversalOf(start.change, snapshotOfDevice ? m_snapshots->snapshot() : DeviceSnapshot{});
    entry.undoes = m_undoingEntry;
    if (m_undoingEntry) {
        m_waitingFor = entry.id;
    }
    // Written ahead: a line that reaches the phone is in the journal, whatever happens next.
    write(pathFor(entry.serial), entryLine(entry));
    if (snapshotOfDevice && start.change.kind != Change::Kind::None) {
        m_snapshots->change(
            [&change = start.change](DeviceSnapshot& snapshot) { applyChange(change, snapshot); });
    }
    m_starting = entry.id;
    m_startingSerial = entry.serial;
    return [journal = QPointer<Journal>(this), id = entry.id, serial = entry.serial,
            change = start.change](const RunEnd& end) {
        if (journal) {
            journal->ended(id, serial, change, end);
        }
    };
}

void Journal::started(bool started) {
    if (!m_starting) {
        return;
    }
    const EntryId id = *m_starting;
    m_starting.reset();
    if (started) {
        return;
    }
    write(pathFor(m_startingSerial), notStartedLine(id));
    if (m_waitingFor == id) {
        m_waitingFor.reset();
        // undoNext, which started it, says so.
    }
}

void Journal::skipped(const std::optional<QString>& serial) {
    if (!serial) {
        emit notice(tr("没有就绪的设备，命令未运行。"));
        return;
    }
    if (!m_skipped.contains(*serial)) {
        m_skipped.append(*serial);
    }
    if (!m_tellSkipped->isActive()) {
        m_tellSkipped->start();
    }
}

void Journal::ended(const EntryId& id, const std::optional<QString>& serial, const Change& change,
                    const RunEnd& end) {
    if (!end.console) {
        write(pathFor(serial), endLine(id, end));
        if (end.exitCode != 0) {
            const QString failed = tr("上一条命令失败（退出码 %1）：%2")
                                       .arg(end.exitCode)
                                       .arg(firstLineOf(end.outputTail));
            emit notice(serial ? tr("%1：%2").arg(*serial, failed) : failed);
        }
    }
    // What the change did is read back from the device: only what it declares, or everything
    // when reads were cut short by a change (it is on the phone now).
    if (m_snapshots != nullptr && serial && m_snapshots->serial() == serial) {
        if (!m_snapshots->complete() && !m_snapshots->reading()) {
            m_snapshots->read(*serial);
        } else {
            m_snapshots->reread(change);
        }
    }
    if (m_waitingFor == id) {
        m_waitingFor.reset();
        m_undoTimeLimit->stop();
        if (end.exitCode != 0) {
            stopUndo(tr("撤销失败（退出码 %1）：%2。可以再试一次；其余未撤销的更改保持不变。")
                         .arg(end.exitCode)
                         .arg(firstLineOf(end.outputTail)));
            return;
        }
        if (m_undoQueue.isEmpty()) {
            stopUndo(tr("撤销完成。"));
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
    const UndoneIndex undone(all);
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        if (canUndo(*entry, undone)) {
            m_undoQueue.append(*entry);
        }
    }
    if (m_undoQueue.isEmpty()) {
        emit notice(tr("没有可以撤销的更改。"));
        return false;
    }
    emit undoingChanged(true);
    undoNext();
    return true;
}

void Journal::cancelUndo() {
    if (undoing()) {
        stopUndo(tr("已停止撤销；其余更改保持不变。"));
    }
}

void Journal::undoNext() {
    if (m_undoQueue.isEmpty()) {
        return;
    }
    const Entry entry = m_undoQueue.takeFirst();
    const std::optional<Command> command = reversingCommand(entry.reversal);
    if (!command) {
        stopUndo(tr("记录中的撤销命令无效，未撤销：%1").arg(entry.reversal.command));
        return;
    }
    // canUndo let only entries that name their phone in.
    m_undoingEntry = entry.id;
    const bool ran = m_app.console().runOn(
        Target::one(*entry.serial, m_app.devices().serverSocket()),
        Command(*command).from({tr("操作记录"), tr("撤销")}), launch::kHidden);
    m_undoingEntry.reset();
    if (!ran || !m_waitingFor) {
        stopUndo(tr("撤销命令未能运行；其余更改保持不变。"));
        return;
    }
    m_undoTimeLimit->start();
}

void Journal::stopUndo(const QString& why) {
    m_undoQueue.clear();
    m_waitingFor.reset();
    m_undoTimeLimit->stop();
    if (!why.isEmpty()) {
        emit notice(why);
    }
    emit undoingChanged(false);
}

void Journal::setFallbackFolder(QString folder) {
    m_fallbackFolder = std::move(folder);
}

void Journal::write(const QString& path, const QByteArray& line) {
    QString why;
    bool isNew = false;
    QString written = path;
    Appended appended = appendLine(written, line, &why, &isNew);
    // A journal folder that cannot be made or written (a read-only program folder): the journal
    // moves to the data folder, once, and says so.
    if (appended == Appended::Failed && !m_fallbackFolder.isEmpty() &&
        QFileInfo(path).absolutePath() == QDir(m_folder).absolutePath() &&
        QDir(m_folder).absolutePath() != QDir(m_fallbackFolder).absolutePath()) {
        const QString unusable = m_folder;
        const QString reason = why;
        m_folder = m_fallbackFolder;
        written = QDir(m_folder).filePath(QFileInfo(path).fileName());
        appended = appendLine(written, line, &why, &isNew);
        if (appended != Appended::Failed) {
            emit notice(tr("无法写入操作记录文件夹 %1（%2），操作记录改存于 %3。")
                            .arg(QDir::toNativeSeparators(unusable), reason,
                                 QDir::toNativeSeparators(m_folder)));
        }
    }
    if (appended != Appended::Failed) {
        m_flusher->flush(written, isNew);
    }
    switch (appended) {
    case Appended::Written:
        break;
    case Appended::WrittenAfterTornLine:
        m_toldTorn.insert(written);
        emit notice(tr("操作记录的最后一行不完整（上次写入被中断），已跳过。"));
        break;
    case Appended::Failed:
        // Told once for each file: every later line is lost the same way.
        if (!m_toldUnwritable.contains(written)) {
            m_toldUnwritable.insert(written);
            emit notice(tr("无法写入操作记录 %1：%2。此后的操作不会被记录，也无法撤销。")
                            .arg(QDir::toNativeSeparators(written), why));
        }
        break;
    }
    emit this->written();
}

} // namespace kavu::journal
