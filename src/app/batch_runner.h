#pragma once

#include "app/start.h"
#include "core/launch.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace kavu {

// How much of what a phone's lines wrote a batch keeps, per phone.
inline constexpr qsizetype kBatchOutputKept = 256 * 1024;

// One line of a click for one phone of a batch: its start as a console would show it, and the
// same command as a hidden run (no console prompts), which a batch runs unless consoles are
// asked for.
struct BatchLine {
    Start start;
    QString hiddenLine;
    // The command as the user reads it in the batch window.
    QString command;
    launch::Tool tool = launch::Tool::Adb;
};

// A phone's part of one batch: the click's lines and pauses for it, how far they went and what
// they wrote.
struct BatchRow {
    enum class Status { Waiting, Running, Succeeded, Failed, Skipped, ConsoleOpened };

    QString serial;
    // What the device list said of the phone when the row was made.
    QString model;
    QString state;
    Status status = Status::Waiting;
    // Failed: the line's exit code (-1: a signal ended it); none: the line could not start.
    std::optional<int> exitCode;
    // Skipped: why.
    QString why;
    // The command of the line under way, or of the last one run.
    QString line;
    // What the lines wrote, the last kBatchOutputKept bytes of it, and its last line.
    QByteArray output;
    QString lastOutputLine;

    using Step = std::variant<BatchLine, int>;
    std::vector<Step> steps;
    // The next step; retrying a failed row starts again at the line that failed.
    std::size_t next = 0;
    std::size_t failedAt = 0;
    // A hidden line is under way, or a pause.
    bool underWay = false;
    bool paused = false;
    bool stopAsked = false;

    bool finished() const { return status != Status::Waiting && status != Status::Running; }
};

// The runs of one click on several phones.
struct Batch {
    int id = 0;
    std::vector<BatchRow> rows;
};

// "等待", "运行中", "成功", "失败（退出码 N）", "跳过（why）", …, in the user's language.
QString statusText(const BatchRow& row);
// "12 成功，1 失败，2 跳过", with the rows still running or waiting when there are some.
QString countsText(const Batch& batch);
// The rows as comma-separated values (UTF-8, with a byte-order mark for spreadsheets): a header,
// then serial, model, state, line, result and last output line per phone. A field that a
// spreadsheet would read as a formula is written as text.
QByteArray batchCsv(const Batch& batch);

// Runs the lines of clicks made for several phones, a batch per click with a row per phone. Each
// phone's lines run in their order with their pauses, one after the other: a hidden line waits
// for the end of the one before, a failed line ends its phone's part. A phone's lines of a later
// click wait until its lines of the earlier ones are done. At most limit() hidden lines run at
// once; one line starts per turn of the event loop, so that many phones never hold the windows
// up. A phone that is not ready when its turn comes is skipped, with why.
class BatchRunner final : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultLimit = 8;
    static constexpr int kMostLimit = 64;
    // Finished batches beyond these many are forgotten.
    static constexpr std::size_t kBatchesKept = 16;

    // Starts a line (journaled); false when it could not start.
    using StartLine = std::function<bool(const Start& start)>;
    // Why the phone cannot take a line through the tool now; none: it can.
    using NotReady = std::function<std::optional<QString>(const QString& serial, launch::Tool)>;
    // The phone's model and state as listed now.
    using Describe = std::function<std::pair<QString, QString>(const QString& serial)>;
    // A phone was skipped because it was not ready.
    using Skipped = std::function<void(const QString& serial)>;

    BatchRunner(StartLine start, NotReady notReady, Describe describe, Skipped skipped,
                QObject* parent = nullptr);

    // Adds a line for the phone to the batch of the click being handled, which is opened by the
    // click's first line and takes its lines until the next turn of the event loop.
    void add(const QString& serial, BatchLine line);
    // A wait before the next line of every phone of the click being handled.
    void addPause(int milliseconds);
    // Whether a click's lines are being gathered into a batch now.
    bool gathering() const { return m_gathering; }

    int limit() const { return m_limit; }
    void setLimit(int limit);
    // Whether batch lines that would show a console open one per phone.
    bool consoles() const { return m_consoles; }
    void setConsoles(bool consoles) { m_consoles = consoles; }

    // Nothing that has not started starts: what is left is skipped.
    void stop();
    // The failed rows of the batch run again from the line that failed.
    void retryFailed(int batchId);

    // The last batch opened; none before the first.
    const Batch* latest() const { return m_batches.empty() ? nullptr : &m_batches.back(); }
    const std::deque<Batch>& batches() const { return m_batches; }
    // Hidden lines under way.
    int running() const { return m_running; }
    bool idle() const;

signals:
    // A click opened a new batch.
    void opened(int batchId);
    // A row changed.
    void changed();
    // Whether a batch has fastboot lines still to run (the phones in fastboot mode must stay
    // listed for them), told when it changes.
    void fastbootNeeded(bool needed);

private:
    BatchRow& rowFor(Batch& batch, const QString& serial);
    BatchRow* find(int batchId, const QString& serial);
    void scheduleTurn();
    void takeTurn();
    // Takes the row's pauses and its next line, if any; false when the row wants no turn now.
    bool wantsTurn(BatchRow& row);
    void startNext(Batch& batch, BatchRow& row);
    void ended(int batchId, const QString& serial, const std::optional<RunEnd>& end);
    void goOn(int batchId, BatchRow& row);
    void forgetOld();
    // Tells whether fastboot lines are left, when that changed.
    void followFastbootNeed();

    StartLine m_start;
    NotReady m_notReady;
    Describe m_describe;
    Skipped m_skipped;
    std::deque<Batch> m_batches;
    int m_nextId = 1;
    int m_limit = kDefaultLimit;
    bool m_consoles = false;
    int m_running = 0;
    bool m_gathering = false;
    bool m_turnScheduled = false;
    bool m_needsFastboot = false;
    // The turns and pauses belong to it: they end with the runner.
    QObject m_timers;
};

} // namespace kavu
