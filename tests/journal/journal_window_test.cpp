// The journal's wiring: which window and control started a line, the failure of a hidden run in
// the device row, and undoing the session from the journal window, one command after another.
#include "devices/device_watch.h"
#include "display/display_commands.h"
#include "journal/journal.h"
#include "journal/journal_window.h"
#include "shell/form1.h"
#include "statusbar/status.h"
#include "statusbar/status_commands.h"
#include "support/driving.h"
#include "support/test_app.h"

#include <QLabel>
#include <QPushButton>
#include <QTextDocumentFragment>
#include <QTreeWidget>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;

namespace {

class OneDevice final : public DeviceWatch {
public:
    OneDevice()
        : DeviceWatch(AdbServer()) {}
    void start() override {}
    void set(devices::Snapshot snapshot) { publish(std::move(snapshot)); }

protected:
    void followServer() override {}
};

// The App on fakes with a journal in its folder and one phone chosen.
struct JournaledApp {
    JournaledApp()
        : t(false) {
        t.app().setDeviceWatch(&watch);
        t.app().setJournal(&journal);
        t.app().mainWindow();
        watch.set({devices::Server::Up, {{"R58M1", "device", "Pixel_7"}}, ""});
        t.clearRecords();
    }
    QList<journal::Entry> entries() { return journal.read(QStringLiteral("R58M1")).entries; }
    void end(qsizetype hiddenRun, int exitCode, const QByteArray& output = {}) {
        t.fakes().processes.hiddenRunEnds.at(hiddenRun)({exitCode, output});
    }

    TestApp t;
    OneDevice watch;
    journal::Journal journal{t.app(), t.folder() + QStringLiteral("/journal")};
};

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT

private slots:
    void aClickIsJournaledWithItsWindowAndControlAndAFailureIsShown();
    void undoingTheSessionRunsEachReversalAfterTheLastEnded();
    void anUndoUnderWayCanBeStopped();
    void openingTheWindowAgainReadsWhatWasAppended();
    void aJournalFolderThatCannotBeMadeMovesToTheDataFolderOnce();
};

void JournalWindowTest::aClickIsJournaledWithItsWindowAndControlAndAFailureIsShown() {
    JournaledApp a;
    Status* status = a.t.app().open<Status>();
    click<N_Shape>(*status, QStringLiteral("N_Shape1ons"));

    const QList<journal::Entry> entries = a.entries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.at(0).line, a.t.lastStarted().line);
    QCOMPARE(entries.at(0).window, status->windowTitle());
    QCOMPARE(entries.at(0).control, shownText(*status, QStringLiteral("N_Shape1ons")));
    QCOMPARE(entries.at(0).model, QStringLiteral("Pixel_7"));
    QCOMPARE(entries.at(0).reversal.state, journal::Reversal::State::OldValueUnknown);

    a.end(0, 255, QByteArrayLiteral("\nError: device offline\nmore\n"));
    Form1* main = a.t.app().find<Form1>();
    // The row's one line may end in an ellipsis; its tool tip holds the notice whole.
    QCOMPARE(QTextDocumentFragment::fromHtml(
                 control<QLabel>(*main, QStringLiteral("Labeldevstate"))->toolTip())
                 .toPlainText(),
             QStringLiteral("R58M1：上一条命令失败（退出码 255）：Error: device offline"));
    QCOMPARE(a.entries().at(0).exitCode, 255);
    QCOMPARE(a.entries().at(0).output, QStringLiteral("\nError: device offline\nmore\n"));
}

void JournalWindowTest::undoingTheSessionRunsEachReversalAfterTheLastEnded() {
    JournaledApp a;
    // Changes as their windows declare them; nothing is known of the phone before them.
    ConsoleLauncher& console = a.t.app().console();
    console.run(statusbar::batteryLevelCommand(QStringLiteral("50")), launch::kHidden);
    console.run(display::densityCommand(420), launch::kHidden);
    a.t.run(QStringLiteral("adb reboot"), launch::kHidden);
    for (qsizetype run = 0; run < 3; ++run) {
        a.end(run, 0);
    }
    a.t.clearRecords();

    auto* window = a.t.app().open<journal::JournalWindow>(a.journal);
    QCOMPARE(control<QTreeWidget>(*window, QStringLiteral("entries"))->topLevelItemCount(), 3);
    click<QPushButton>(*window, QStringLiteral("undoSession"));
    QCOMPARE(shownText(*window, QStringLiteral("confirmText")),
             QStringLiteral("撤销本次启动以来的 2 项更改？"));
    QVERIFY(a.t.started().isEmpty());

    click<QPushButton>(*window, QStringLiteral("confirmUndo"));
    QVERIFY2(a.t.startedOnly(QStringLiteral("adb shell wm density reset")), a.t.mismatch());
    a.end(0, 0);
    QVERIFY2(a.t.startedOnly({QStringLiteral("adb shell wm density reset"),
                              QStringLiteral("adb shell dumpsys battery reset")}),
             a.t.mismatch());
    a.end(1, 0);

    auto* rows = control<QTreeWidget>(*window, QStringLiteral("entries"));
    QCOMPARE(rows->topLevelItemCount(), 5);
    QCOMPARE(rows->topLevelItem(3)->text(3), QStringLiteral("已撤销"));
    QCOMPARE(rows->topLevelItem(4)->text(3), QStringLiteral("已撤销"));
    click<QPushButton>(*window, QStringLiteral("undoSession"));
    QCOMPARE(shownText(*window, QStringLiteral("status")),
             QStringLiteral("本次启动以来没有可以撤销的更改。"));
}

void JournalWindowTest::anUndoUnderWayCanBeStopped() {
    JournaledApp a;
    ConsoleLauncher& console = a.t.app().console();
    console.run(statusbar::batteryLevelCommand(QStringLiteral("50")), launch::kHidden);
    console.run(display::densityCommand(420), launch::kHidden);
    a.end(0, 0);
    a.end(1, 0);
    a.t.clearRecords();
    auto* window = a.t.app().open<journal::JournalWindow>(a.journal);
    auto* stop = control<QPushButton>(*window, QStringLiteral("stopUndo"));
    QVERIFY(!stop->isVisible());

    click<QPushButton>(*window, QStringLiteral("undoSession"));
    click<QPushButton>(*window, QStringLiteral("confirmUndo"));
    QVERIFY(stop->isVisible());
    QVERIFY(!control<QPushButton>(*window, QStringLiteral("undoSelected"))->isEnabled());
    click<QPushButton>(*window, QStringLiteral("stopUndo"));
    QVERIFY(!a.journal.undoing());
    QVERIFY(!stop->isVisible());
    a.end(0, 0);
    QCOMPARE(a.t.started().size(), 1);
}

void JournalWindowTest::openingTheWindowAgainReadsWhatWasAppended() {
    JournaledApp a;
    a.t.run(QStringLiteral("adb reboot"), launch::kHidden);
    auto* window = a.t.app().open<journal::JournalWindow>(a.journal);
    auto* rows = control<QTreeWidget>(*window, QStringLiteral("entries"));
    QCOMPARE(rows->topLevelItemCount(), 1);
    journal::Entry entry = a.entries().at(0);
    entry.id.number = 99;
    QFile file(a.journal.pathFor(QStringLiteral("R58M1")));
    QVERIFY(file.open(QIODevice::Append));
    file.write("not a record\n" + journal::entryLine(entry) +
               journal::endLine(a.entries().at(0).id, {0, {}}));
    file.close();

    a.t.app().find<Form1>()->activateWindow();
    QTRY_VERIFY(!window->isActiveWindow());
    a.t.app().open<journal::JournalWindow>(a.journal);
    QTRY_COMPARE(rows->topLevelItemCount(), 2);
    QCOMPARE(rows->topLevelItem(1)->text(2), QStringLiteral("成功"));
    QVERIFY2(shownText(*window, QStringLiteral("device")).contains(u"1 行无法读取"),
             qPrintable(shownText(*window, QStringLiteral("device"))));
}

// A journal folder under a file can never be made, whoever runs the program: the journal moves to
// the data folder, says so once, and keeps every entry there; with nowhere to go, the loss is told
// once.
void JournalWindowTest::aJournalFolderThatCannotBeMadeMovesToTheDataFolderOnce() {
    TestApp t(false);
    OneDevice watch;
    t.app().setDeviceWatch(&watch);
    QFile blocker(t.folder() + QStringLiteral("/a-file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    journal::Journal journal(t.app(), blocker.fileName() + QStringLiteral("/journal"));
    t.app().setJournal(&journal);
    t.app().mainWindow();
    watch.set({devices::Server::Up, {{"R58M1", "device", "Pixel_7"}}, ""});
    QSignalSpy notices(&journal, &journal::Journal::notice);
    const QString data = t.folder() + QStringLiteral("/data/kavu/journal");
    journal.setFallbackFolder(data);
    t.run(QStringLiteral("adb reboot"), launch::kHidden);
    t.run(QStringLiteral("adb reboot"), launch::kHidden);
    QCOMPARE(notices.size(), 1);
    QVERIFY(notices.at(0).at(0).toString().contains(data));
    QCOMPARE(journal.folder(), data);
    QCOMPARE(journal.read(QStringLiteral("R58M1")).entries.size(), 2);

    journal::Journal nowhere(t.app(), blocker.fileName() + QStringLiteral("/journal"));
    QSignalSpy lost(&nowhere, &journal::Journal::notice);
    t.run(QStringLiteral("adb reboot"), launch::kHidden);
    t.run(QStringLiteral("adb reboot"), launch::kHidden);
    QCOMPARE(lost.size(), 1);
}

QTEST_MAIN(JournalWindowTest)
#include "journal_window_test.moc"
