// A batch's rules, with a starter that only records: how many hidden lines run at once, each
// phone's lines in order and after its lines of earlier clicks, a failed line ending its phone's
// part until retried, a phone not ready skipped with why, stop, consoles asked for or not; and the
// texts a batch is shown and exported with.
#include "app/batch_runner.h"

#include <QtTest>

using namespace kavu;

namespace {

using Status = BatchRow::Status;

// "a|b|c" as a list.
QStringList listOf(const char* joined) {
    return QString::fromUtf8(joined).split(u'|', Qt::SkipEmptyParts);
}

struct Harness {
    QList<Start> started;
    int ended = 0;
    int mostAtOnce = 0;
    QStringList skipped;
    QSet<QString> offline;
    BatchRunner runner{[this](const Start& start) {
                           started.append(start);
                           if (start.mode == launch::WindowMode::Hidden) {
                               mostAtOnce = std::max(mostAtOnce, runningNow());
                           }
                           return true;
                       },
                       [this](const QString& serial, launch::Tool) -> std::optional<QString> {
                           if (offline.contains(serial)) {
                               return QStringLiteral("offline");
                           }
                           return std::nullopt;
                       },
                       [](const QString&) { return std::pair(QStringLiteral("M"), QString()); },
                       [this](const QString& serial) { skipped << serial; }};

    int runningNow() const { return int(started.size()) - ended; }
    // A click: each line given for each phone, in one turn of the event loop.
    void click(const char* phones, const char* lines,
               launch::WindowMode mode = launch::WindowMode::Normal) {
        for (const QString& line : listOf(lines)) {
            for (const QString& phone : listOf(phones)) {
                Start start{QStringLiteral("cmd /k ") + line, mode, {phone, {}, phone}, {}, {}, {}};
                runner.add(phone, {start, QStringLiteral("cmd /c ") + line, line});
            }
        }
    }
    void settle() {
        for (int turn = 0; turn < 50; ++turn) {
            QCoreApplication::processEvents();
        }
    }
    // Ends the started line of this phone that has not ended, with the exit code.
    void end(const char* serial, int exitCode) {
        const QString phone = QString::fromLatin1(serial);
        for (Start& start : started) {
            if (start.environment.serial == phone && start.heard) {
                const RunHeard heard = std::exchange(start.heard, {});
                ++ended;
                heard(RunEnd{exitCode, "line one\nlast words\n", false});
                settle();
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("nothing under way on ") + phone));
    }
    QStringList lines() const {
        QStringList shown;
        for (const Start& start : started) {
            shown << *start.environment.serial + u':' + start.line;
        }
        return shown;
    }
    const BatchRow& row(int batch, int index) const {
        return runner.batches().at(std::size_t(batch)).rows.at(std::size_t(index));
    }
};

} // namespace

class BatchRunnerTest : public QObject {
    Q_OBJECT

private slots:
    void linesRunInTurnWithinTheLimit();
    void aFailedLineEndsItsPhonesPartUntilRetried();
    void stopAndConsoles();
    void textsAndExport();
};

void BatchRunnerTest::linesRunInTurnWithinTheLimit() {
    Harness h;
    h.runner.setLimit(2);
    h.offline = {QStringLiteral("D")};
    h.click("A|B|C|D", "one|two");
    h.settle();
    // A console line of a batch runs hidden, its output kept for the batch.
    QCOMPARE(h.lines(), listOf("A:cmd /c one|B:cmd /c one"));
    QCOMPARE(h.started.front().mode, launch::WindowMode::Hidden);
    QCOMPARE(h.started.front().environment.outputKept, kBatchOutputKept);
    // A later click's line for A waits for A's lines of the first.
    h.click("A", "three");
    h.settle();
    for (const char* phone : {"A", "B", "A", "B", "C", "A", "C"}) {
        h.end(phone, 0);
    }
    QCOMPARE(h.lines(), listOf("A:cmd /c one|B:cmd /c one|A:cmd /c two|B:cmd /c two|C:cmd /c "
                               "one|A:cmd /c three|C:cmd /c two"));
    QCOMPARE(h.mostAtOnce, 2);
    QCOMPARE(h.row(0, 3).status, Status::Skipped);
    QCOMPARE(statusText(h.row(0, 3)), QStringLiteral("跳过（offline）"));
    QCOMPARE(h.skipped, listOf("D"));
    QCOMPARE(h.row(0, 0).lastOutputLine, QStringLiteral("last words"));
    QVERIFY(h.runner.idle());
}

void BatchRunnerTest::aFailedLineEndsItsPhonesPartUntilRetried() {
    Harness h;
    h.click("A|B", "one|two");
    h.settle();
    h.end("A", 0);
    h.end("B", 3);
    h.end("A", 0);
    QCOMPARE(h.row(0, 1).status, Status::Failed);
    QCOMPARE(statusText(h.row(0, 1)), QStringLiteral("失败（退出码 3）"));
    QCOMPARE(countsText(h.runner.batches().front()), QStringLiteral("1 成功，1 失败，0 跳过"));
    // Retried from the line that failed, on the failed phone only.
    h.runner.retryFailed(h.runner.latest()->id);
    h.settle();
    h.end("B", 0);
    h.end("B", 0);
    QCOMPARE(h.lines().mid(3), listOf("B:cmd /c one|B:cmd /c two"));
    QCOMPARE(countsText(h.runner.batches().front()), QStringLiteral("2 成功，0 失败，0 跳过"));
}

void BatchRunnerTest::stopAndConsoles() {
    Harness h;
    h.runner.setLimit(1);
    h.click("A|B", "one|two");
    h.settle();
    h.runner.stop();
    h.end("A", 0);
    h.settle();
    QCOMPARE(h.lines(), listOf("A:cmd /c one"));
    QCOMPARE(countsText(h.runner.batches().front()), QStringLiteral("0 成功，0 失败，2 跳过"));

    // With consoles asked for, each phone's lines open consoles one after the other.
    Harness consoles;
    consoles.runner.setConsoles(true);
    consoles.click("A", "one|two");
    consoles.settle();
    QCOMPARE(consoles.lines(), listOf("A:cmd /k one|A:cmd /k two"));
    QCOMPARE(consoles.row(0, 0).status, Status::ConsoleOpened);
}

void BatchRunnerTest::textsAndExport() {
    Batch batch;
    BatchRow row;
    row.serial = QStringLiteral("A\"1");
    row.model = QStringLiteral("=HYPERLINK(1)");
    row.line = QStringLiteral("adb shell pm disable-user x");
    row.status = Status::Failed;
    batch.rows = {row};
    const QByteArray csv = batchCsv(batch);
    QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n")).at(1),
             QStringLiteral("\"A\"\"1\",\"'=HYPERLINK(1)\",\"\",\"adb shell pm disable-user "
                            "x\",\"失败（未启动）\",\"\""));
}

QTEST_MAIN(BatchRunnerTest)
#include "batch_runner_test.moc"
