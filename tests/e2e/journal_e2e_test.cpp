// The journal end to end: changes made through the program's own windows (two in consoles, two
// hidden) reach a simulated phone through the real kavu-cmd, terminal and adb client; the journal
// window lists them, and undoing the session sends exactly their reversing commands, newest first,
// leaving the phone as it began. Run under Xvfb by devices_e2e.sh.
#include "apps/software.h"
#include "apps/warning.h"
#include "display/navigation.h"
#include "journal/journal.h"
#include "journal/journal_window.h"
#include "real_program.h"
#include "shell/form1.h"
#include "statusbar/status.h"
#include "support/driving.h"
#include "support/simulated_adb_server.h"
#include "window_table.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;

namespace {

constexpr int kAdbTimeoutMs = 15000;
const QString kNotes = QStringLiteral("com.example.notes");
const QString kBloat = QStringLiteral("com.android.bloat");
const QString kPhrase = QStringLiteral("我已知悉该风险，若造成卡机或数据损失等后果则与作者无关");

// The phone as the test compares it: packages with their states, settings, density and size.
QStringList described(const SimulatedPhone& phone) {
    QStringList lines;
    for (const SimulatedPackage& p : phone.packages) {
        lines.append(
            QStringLiteral("%1 %2 %3").arg(p.name).arg(p.disabled).arg(p.uninstalledForUser));
    }
    for (auto setting = phone.settings.cbegin(); setting != phone.settings.cend(); ++setting) {
        lines.append(setting.key() + u'=' + setting.value());
    }
    lines.append(QStringLiteral("density %1").arg(phone.densityOverride.value_or(-1)));
    lines.append(QStringLiteral("size ") + phone.sizeOverride);
    return lines;
}

// The commands that changed the phone, in the order it received them (reads left out).
QStringList changes(const QList<Received>& received) {
    QStringList changed;
    for (const Received& command : received) {
        const QString& text = command.text;
        if (!text.startsWith(u"settings get") && !text.startsWith(u"pm list packages") &&
            !text.startsWith(u"dumpsys package ") && text != u"wm density" && text != u"wm size") {
            changed.append(text);
        }
    }
    return changed;
}

} // namespace

class JournalE2ETest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void fourChangesAreListedAndUndoneNewestFirst();
    void everyDeclaredChangeIsTakenBackOnThePhone();

private:
    // Waits until the phone received the command (and, for a hidden run, the run ended).
    void waitForChange(const QString& command) {
        QTRY_VERIFY_WITH_TIMEOUT(changes(m_server.shellCommands).contains(command), kAdbTimeoutMs);
    }

    SimulatedAdbServer m_server;
    RealProgram m_program;
};

void JournalE2ETest::initTestCase() {
    QVERIFY(m_server.listen());
    m_server.features = {QStringLiteral("shell_v2"), QStringLiteral("cmd")};
    m_server.phone.packages = {
        {QStringLiteral("com.android.phone"), true, false, false},
        {kBloat, true, false, false},
        {kNotes, false, false, false},
        {QStringLiteral("com.google.android.gsf"), true, false, false},
    };
    m_server.phone.settings.insert(QStringLiteral("secure/icon_blacklist"),
                                   QStringLiteral("rotate,volume,"));
    m_server.phone.densityOverride = 400;
    m_server.setDevices(
        {{QStringLiteral("R58M1"), QStringLiteral("device"), QStringLiteral("Pixel 7")}});
    m_program.start(m_server);
}

void JournalE2ETest::cleanupTestCase() {
    m_program.stop();
    QVERIFY2(m_program.startFailures().isEmpty(),
             qPrintable(m_program.startFailures().join(u'\n')));
}

void JournalE2ETest::fourChangesAreListedAndUndoneNewestFirst() {
    QSignalSpy snapshots(&m_program.journal(), &journal::Journal::snapshotRead);
    Form1* main = m_program.main();
    QTRY_COMPARE(control<QComboBox>(*main, QStringLiteral("Combodev"))->currentText(),
                 QStringLiteral("Pixel_7 (R58M1)"));
    QTRY_VERIFY_WITH_TIMEOUT(snapshots.count() >= 1, kAdbTimeoutMs);
    const QStringList began = described(m_server.phone);
    App& app = m_program.app();

    // Freeze a package (console).
    Software* apps = app.open<Software>();
    typeInto(*apps, QStringLiteral("APPText5"), kNotes);
    click<N_Shape>(*apps, QStringLiteral("FREEZE"));
    waitForChange(QStringLiteral("pm disable-user ") + kNotes);

    // Change the density (hidden); its run's end reads the phone again.
    Navigation* display = app.open<Navigation>();
    typeInto(*display, QStringLiteral("DPIVAL"), QStringLiteral("420"));
    click<N_Shape>(*display, QStringLiteral("DPIYES"));
    waitForChange(QStringLiteral("wm density 420"));
    QTRY_VERIFY_WITH_TIMEOUT(snapshots.count() >= 2, kAdbTimeoutMs);

    // Hide the battery icon (hidden).
    Status* status = app.open<Status>();
    click<CheckButton>(*status, QStringLiteral("CheckButtonBAT"));
    click<N_Shape>(*status, QStringLiteral("N_Shapehide"));
    waitForChange(QStringLiteral("settings put secure icon_blacklist rotate,battery,"));
    QTRY_VERIFY_WITH_TIMEOUT(snapshots.count() >= 3, kAdbTimeoutMs);

    // Remove a system package through the risk dialog (console).
    typeInto(*apps, QStringLiteral("APPText5"), kBloat);
    click<N_Shape>(*apps, QStringLiteral("unsinssys"));
    WARNING* dialog = app.find<WARNING>();
    QVERIFY(dialog != nullptr);
    typeInto(*dialog, QStringLiteral("ala"), kPhrase);
    click<N_Shape>(*dialog, QStringLiteral("N_Shapefx"));
    waitForChange(QStringLiteral("pm uninstall -k --user 0 ") + kBloat);
    QVERIFY(described(m_server.phone) != began);

    click<ClickLabel>(*main, QStringLiteral("Labeljournal"));
    auto* window = app.find<journal::JournalWindow>();
    QVERIFY(window != nullptr);
    auto* rows = control<QTreeWidget>(*window, QStringLiteral("entries"));
    QTRY_COMPARE(rows->topLevelItemCount(), 4);
    const QString reversible = QStringLiteral("可撤销（恢复为 %1）");
    const QStringList shown = {
        reversible.arg(QStringLiteral("已安装")), reversible.arg(QStringLiteral("rotate,volume,")),
        reversible.arg(QStringLiteral("400")), reversible.arg(QStringLiteral("已启用"))};
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(rows->topLevelItem(row)->text(3), shown.at(row));
    }

    m_server.shellCommands.clear();
    click<QPushButton>(*window, QStringLiteral("undoSession"));
    QCOMPARE(shownText(*window, QStringLiteral("confirmText")),
             QStringLiteral("撤销本次启动以来的 4 项更改？"));
    click<QPushButton>(*window, QStringLiteral("confirmUndo"));
    const QStringList reversals = {
        QStringLiteral("cmd package install-existing ") + kBloat,
        QStringLiteral("settings put secure icon_blacklist rotate,volume,"),
        QStringLiteral("wm density 400"),
        QStringLiteral("pm enable ") + kNotes,
    };
    QTRY_COMPARE_WITH_TIMEOUT(changes(m_server.shellCommands).size(), 4, 4 * kAdbTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(rows->topLevelItem(0)->text(2), QStringLiteral("成功"),
                              kAdbTimeoutMs);
    QCOMPARE(changes(m_server.shellCommands), reversals);
    QCOMPARE(described(m_server.phone), began);
    QCOMPARE(rows->topLevelItemCount(), 8);
}

// Each change a window can make, as its module declares it: made on the phone, then taken back
// from the journal, leaves the phone as it was; a change the phone refused changed nothing; only
// the removal of an app with its data and the end of the battery simulation cannot be taken back.
void JournalE2ETest::everyDeclaredChangeIsTakenBackOnThePhone() {
    journal::Journal& journal = m_program.journal();
    const QString serial = QStringLiteral("R58M1");
    const auto lastEntry = [&journal, &serial] {
        const QList<journal::Entry> entries = journal.read(serial).entries;
        return entries.isEmpty() ? journal::Entry{} : entries.constLast();
    };
    const auto ended = [](const journal::Entry& entry) {
        return entry.exitCode.has_value() || entry.notStarted;
    };
    QStringList irreversible;
    QStringList unchanged;
    QStringList takenBack;
    for (const Command& command : changingCommands()) {
        const QStringList began = described(m_server.phone);
        const QString what = command.text();
        const qint64 before = lastEntry().id.number;
        QVERIFY(m_program.app().console().run(command, launch::kHidden));
        QTRY_VERIFY2_WITH_TIMEOUT(lastEntry().id.number > before && ended(lastEntry()),
                                  qPrintable(what), kAdbTimeoutMs);
        // What the run changed is read back before the next change, as a user's next click
        // would come long after.
        QTRY_VERIFY_WITH_TIMEOUT(!journal.readingSnapshot(), kAdbTimeoutMs);
        const journal::Entry made = lastEntry();
        QVERIFY2(made.exitCode == 0, qPrintable(what));
        const QList<journal::Entry> all = journal.read(serial).entries;
        if (!journal::canUndo(made, all)) {
            (made.reversal.state == journal::Reversal::State::Unchanged ? unchanged : irreversible)
                .append(what);
            QVERIFY2(made.reversal.state == journal::Reversal::State::Irreversible ||
                         described(m_server.phone) == began,
                     qPrintable(what));
            continue;
        }
        QVERIFY2(journal.undo({made}, all), qPrintable(what));
        QTRY_VERIFY2_WITH_TIMEOUT(!journal.undoing(), qPrintable(what), kAdbTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(!journal.readingSnapshot(), kAdbTimeoutMs);
        QVERIFY2(journal::isUndone(made, journal.read(serial).entries), qPrintable(what));
        QCOMPARE(described(m_server.phone), began);
        takenBack.append(what);
    }
    // What the phone already held: nothing to take back.
    QCOMPARE(unchanged.join(u'\n'),
             (QStringList{
                  QStringLiteral("adb shell pm enable ") + kNotes,
                  QStringLiteral("adb shell cmd package install-existing ") + kNotes,
                  QStringLiteral("adb shell pm enable com.google.android.gsf"),
                  QStringLiteral("adb shell settings delete secure sysui_rounded_content_padding"),
                  QStringLiteral("adb shell wm size reset")})
                 .join(u'\n'));
    QCOMPARE(takenBack.size() + unchanged.size() + irreversible.size(), changingCommands().size());
    QCOMPARE(irreversible.join(u'\n'),
             (QStringList{QStringLiteral("adb shell pm uninstall ") + kNotes,
                          QStringLiteral("adb shell dumpsys battery reset")})
                 .join(u'\n'));
}

QTEST_MAIN(JournalE2ETest)
#include "journal_e2e_test.moc"
