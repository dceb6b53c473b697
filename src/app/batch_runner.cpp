#include "app/batch_runner.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <algorithm>

namespace kavu {

namespace {

// The last line of what a run wrote that holds more than blanks.
QString lastLineOf(const QByteArray& output) {
    qsizetype end = output.size();
    while (end > 0) {
        const qsizetype start = output.lastIndexOf('\n', end - 1) + 1;
        const QByteArray line = output.mid(start, end - start).trimmed();
        if (!line.isEmpty()) {
            // A line is shown in a table cell: a very long one is cut.
            return QString::fromUtf8(line.left(512));
        }
        end = start - 1;
    }
    return {};
}

QByteArray csvField(const QString& field) {
    QString value = field;
    if (!value.isEmpty() && QStringLiteral("=+-@\t\r").contains(value.front())) {
        value.prepend(u'\'');
    }
    value.replace(u'"', QStringLiteral("\"\""));
    return '"' + value.toUtf8() + '"';
}

} // namespace

QString statusText(const BatchRow& row) {
    switch (row.status) {
    case BatchRow::Status::Waiting:
        return QCoreApplication::translate("kavu::BatchRunner", "等待");
    case BatchRow::Status::Running:
        return QCoreApplication::translate("kavu::BatchRunner", "运行中");
    case BatchRow::Status::Succeeded:
        return QCoreApplication::translate("kavu::BatchRunner", "成功");
    case BatchRow::Status::Failed:
        return row.exitCode ? QCoreApplication::translate("kavu::BatchRunner", "失败（退出码 %1）")
                                  .arg(*row.exitCode)
                            : QCoreApplication::translate("kavu::BatchRunner", "失败（未启动）");
    case BatchRow::Status::Skipped:
        return QCoreApplication::translate("kavu::BatchRunner", "跳过（%1）").arg(row.why);
    case BatchRow::Status::ConsoleOpened:
        return QCoreApplication::translate("kavu::BatchRunner", "已打开控制台");
    }
    return {};
}

QString countsText(const Batch& batch) {
    int succeeded = 0;
    int failed = 0;
    int skipped = 0;
    int left = 0;
    for (const BatchRow& row : batch.rows) {
        switch (row.status) {
        case BatchRow::Status::Succeeded:
        case BatchRow::Status::ConsoleOpened:
            ++succeeded;
            break;
        case BatchRow::Status::Failed:
            ++failed;
            break;
        case BatchRow::Status::Skipped:
            ++skipped;
            break;
        default:
            ++left;
            break;
        }
    }
    QString counts = QCoreApplication::translate("kavu::BatchRunner", "%1 成功，%2 失败，%3 跳过")
                         .arg(succeeded)
                         .arg(failed)
                         .arg(skipped);
    if (left > 0) {
        counts += QCoreApplication::translate("kavu::BatchRunner", "，%1 未完成").arg(left);
    }
    return counts;
}

QByteArray batchCsv(const Batch& batch) {
    QByteArray csv("\xEF\xBB\xBF");
    const QStringList header{QCoreApplication::translate("kavu::BatchRunner", "设备"),
                             QCoreApplication::translate("kavu::BatchRunner", "型号"),
                             QCoreApplication::translate("kavu::BatchRunner", "状态"),
                             QCoreApplication::translate("kavu::BatchRunner", "命令"),
                             QCoreApplication::translate("kavu::BatchRunner", "结果"),
                             QCoreApplication::translate("kavu::BatchRunner", "最后输出")};
    const auto addRow = [&csv](const QStringList& fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            csv += (i > 0 ? "," : "") + csvField(fields[i]);
        }
        csv += "\r\n";
    };
    addRow(header);
    for (const BatchRow& row : batch.rows) {
        addRow({row.serial, row.model, row.state, row.line, statusText(row), row.lastOutputLine});
    }
    return csv;
}

BatchRunner::BatchRunner(StartLine start, NotReady notReady, Describe describe, Skipped skipped,
                         QObject* parent)
    : QObject(parent)
    , m_start(std::move(start))
    , m_notReady(std::move(notReady))
    , m_describe(std::move(describe))
    , m_skipped(std::move(skipped)) {
    connect(this, &BatchRunner::changed, this, &BatchRunner::followFastbootNeed);
}

void BatchRunner::followFastbootNeed() {
    const auto fastbootLeft = [](const BatchRow& row) {
        if (row.finished()) {
            return false;
        }
        for (std::size_t step = row.next; step < row.steps.size(); ++step) {
            if (const auto* line = std::get_if<BatchLine>(&row.steps[step]);
                line != nullptr && line->tool == launch::Tool::Fastboot) {
                return true;
            }
        }
        return false;
    };
    const bool needed = std::ranges::any_of(m_batches, [&fastbootLeft](const Batch& batch) {
        return std::ranges::any_of(batch.rows, fastbootLeft);
    });
    if (needed != m_needsFastboot) {
        m_needsFastboot = needed;
        emit fastbootNeeded(needed);
    }
}

bool BatchRunner::idle() const {
    return std::ranges::all_of(m_batches, [](const Batch& batch) {
        return std::ranges::all_of(batch.rows, &BatchRow::finished);
    });
}

BatchRow& BatchRunner::rowFor(Batch& batch, const QString& serial) {
    for (BatchRow& row : batch.rows) {
        if (row.serial == serial) {
            return row;
        }
    }
    BatchRow row;
    row.serial = serial;
    std::tie(row.model, row.state) = m_describe(serial);
    batch.rows.push_back(std::move(row));
    return batch.rows.back();
}

BatchRow* BatchRunner::find(int batchId, const QString& serial) {
    for (Batch& batch : m_batches) {
        if (batch.id != batchId) {
            continue;
        }
        for (BatchRow& row : batch.rows) {
            if (row.serial == serial) {
                return &row;
            }
        }
    }
    return nullptr;
}

void BatchRunner::add(const QString& serial, BatchLine line) {
    if (!m_gathering) {
        m_gathering = true;
        m_batches.push_back(Batch{m_nextId++, {}});
        forgetOld();
        // The click's lines are all in once the event loop turns.
        QTimer::singleShot(0, &m_timers, [this] {
            m_gathering = false;
            scheduleTurn();
        });
        emit opened(m_batches.back().id);
    }
    BatchRow& row = rowFor(m_batches.back(), serial);
    if (row.line.isEmpty()) {
        row.line = line.command;
    }
    row.steps.emplace_back(std::move(line));
    emit changed();
}

void BatchRunner::addPause(int milliseconds) {
    if (!m_gathering) {
        return;
    }
    for (BatchRow& row : m_batches.back().rows) {
        row.steps.emplace_back(milliseconds);
    }
}

void BatchRunner::setLimit(int limit) {
    m_limit = std::clamp(limit, 1, kMostLimit);
    scheduleTurn();
}

void BatchRunner::stop() {
    for (Batch& batch : m_batches) {
        for (BatchRow& row : batch.rows) {
            if (row.finished()) {
                continue;
            }
            if (row.underWay && !row.paused) {
                row.stopAsked = true;
                continue;
            }
            row.status = BatchRow::Status::Skipped;
            row.why = QCoreApplication::translate("kavu::BatchRunner", "已停止");
            row.paused = false;
            row.underWay = false;
        }
    }
    emit changed();
}

void BatchRunner::retryFailed(int batchId) {
    for (Batch& batch : m_batches) {
        if (batch.id != batchId) {
            continue;
        }
        for (BatchRow& row : batch.rows) {
            if (row.status == BatchRow::Status::Failed) {
                row.status = BatchRow::Status::Waiting;
                row.exitCode.reset();
                row.next = row.failedAt;
                row.stopAsked = false;
            }
        }
    }
    emit changed();
    scheduleTurn();
}

void BatchRunner::scheduleTurn() {
    if (m_turnScheduled || m_gathering) {
        return;
    }
    m_turnScheduled = true;
    QTimer::singleShot(0, &m_timers, [this] { takeTurn(); });
}

bool BatchRunner::wantsTurn(BatchRow& row) {
    if (row.finished() || row.underWay) {
        return false;
    }
    if (row.next >= row.steps.size()) {
        row.status = BatchRow::Status::Succeeded;
        return false;
    }
    return std::holds_alternative<BatchLine>(row.steps[row.next]);
}

// Takes the oldest batch's first row that can start its next line now; a phone's row waits while
// the same phone has a row unfinished in an earlier batch.
void BatchRunner::takeTurn() {
    m_turnScheduled = false;
    QSet<QString> busy;
    bool changedRows = false;
    for (Batch& batch : m_batches) {
        for (BatchRow& row : batch.rows) {
            const bool blocked = busy.contains(row.serial);
            if (!row.finished()) {
                busy.insert(row.serial);
            }
            if (blocked || m_running >= m_limit || !wantsTurn(row)) {
                continue;
            }
            const BatchLine& line = std::get<BatchLine>(row.steps[row.next]);
            if (const std::optional<QString> why = m_notReady(row.serial, line.tool)) {
                row.status = BatchRow::Status::Skipped;
                row.why = *why;
                m_skipped(row.serial);
                changedRows = true;
                continue;
            }
            startNext(batch, row);
            scheduleTurn();
            emit changed();
            return;
        }
    }
    if (changedRows) {
        emit changed();
    }
}

void BatchRunner::startNext(Batch& batch, BatchRow& row) {
    const BatchLine& line = std::get<BatchLine>(row.steps[row.next]);
    const std::size_t index = row.next;
    row.status = BatchRow::Status::Running;
    row.line = line.command;
    Start start = line.start;
    if (start.mode != launch::WindowMode::Hidden && !m_consoles) {
        start.line = line.hiddenLine;
        start.mode = launch::WindowMode::Hidden;
    }
    if (start.mode != launch::WindowMode::Hidden) {
        // A console is the user's to read and close: the phone goes on with its next line.
        if (!m_start(start)) {
            row.status = BatchRow::Status::Failed;
            row.failedAt = index;
            return;
        }
        ++row.next;
        row.status = row.next >= row.steps.size() ? BatchRow::Status::ConsoleOpened
                                                  : BatchRow::Status::Running;
        goOn(batch.id, row);
        return;
    }
    start.environment.outputKept = kBatchOutputKept;
    row.underWay = true;
    ++m_running;
    const QPointer<BatchRunner> self(this);
    const int batchId = batch.id;
    const QString serial = row.serial;
    start.heard = [self, batchId, serial,
                   heard = line.start.heard](const std::optional<RunEnd>& end) {
        if (self) {
            self->ended(batchId, serial, end);
        }
        if (heard) {
            heard(end);
        }
    };
    m_start(start);
}

void BatchRunner::ended(int batchId, const QString& serial, const std::optional<RunEnd>& end) {
    --m_running;
    BatchRow* row = find(batchId, serial);
    if (row == nullptr || !row->underWay) {
        scheduleTurn();
        return;
    }
    row->underWay = false;
    if (end) {
        if (!row->output.isEmpty() && !row->output.endsWith('\n')) {
            row->output += '\n';
        }
        row->output += end->outputTail;
        if (row->output.size() > kBatchOutputKept) {
            row->output.remove(0, row->output.size() - kBatchOutputKept);
        }
        if (const QString last = lastLineOf(end->outputTail); !last.isEmpty()) {
            row->lastOutputLine = last;
        }
    }
    if (!end || end->exitCode != 0) {
        row->status = BatchRow::Status::Failed;
        row->exitCode = end ? std::optional<int>(end->exitCode) : std::nullopt;
        row->failedAt = row->next;
    } else {
        ++row->next;
        if (row->stopAsked && row->next < row->steps.size()) {
            row->status = BatchRow::Status::Skipped;
            row->why = QCoreApplication::translate("kavu::BatchRunner", "已停止");
        } else {
            goOn(batchId, *row);
        }
    }
    emit changed();
    scheduleTurn();
}

// Takes the pauses at the head of what is left of the row: the row waits them out holding no
// place among the lines that run at once, then wants its turn again.
void BatchRunner::goOn(int batchId, BatchRow& row) {
    while (row.next < row.steps.size() && std::holds_alternative<int>(row.steps[row.next])) {
        const int milliseconds = std::get<int>(row.steps[row.next]);
        ++row.next;
        if (milliseconds > 0) {
            row.underWay = true;
            row.paused = true;
            QTimer::singleShot(milliseconds, Qt::PreciseTimer, &m_timers,
                               [this, batchId, serial = row.serial] {
                                   if (BatchRow* paused = find(batchId, serial);
                                       paused != nullptr && paused->paused) {
                                       paused->paused = false;
                                       paused->underWay = false;
                                       scheduleTurn();
                                   }
                               });
            return;
        }
    }
    if (row.next >= row.steps.size() && row.status == BatchRow::Status::Running) {
        row.status = BatchRow::Status::Succeeded;
    }
}

void BatchRunner::forgetOld() {
    while (m_batches.size() > kBatchesKept &&
           std::ranges::all_of(m_batches.front().rows, &BatchRow::finished)) {
        m_batches.pop_front();
    }
}

} // namespace kavu
