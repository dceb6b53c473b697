// The package list as a debloating tool end to end: filtered to the system packages, three of them
// selected and disabled at once through the real kavu-cmd and adb client against a simulated adb
// server, each its own hidden run and journal entry, their rows showing the state read again;
// the journal's "undo the session" brings them back, and a list file exported from the selection
// selects the same packages again. Run under Xvfb by devices_e2e.sh.
#include "app/app.h"
#include "apps/apps_commands.h"
#include "apps/phone_apps.h"
#include "apps/risk_phrase.h"
#include "apps/selection_risk.h"
#include "apps/software.h"
#include "journal/journal.h"
#include "journal/journal_window.h"
#include "real_program.h"
#include "shell/form1.h"
#include "support/driving.h"
#include "support/simulated_adb_server.h"

#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;

namespace {

constexpr int kAdbTimeoutMs = 15000;
const QString kSerial = QStringLiteral("R58M1");
const QStringList kChosen = {QStringLiteral("com.android.bloat"),
                             QStringLiteral("com.miui.analytics"),
                             QStringLiteral("com.miui.daemon")};

} // namespace

class PackageActionsE2ETest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void threeSystemPackagesDisabledThenUndoneAndListed();

private:
    QTreeView& view() { return *control<QTreeView>(*m_list, QStringLiteral("packages")); }
    // Each row as "name state note".
    QStringList rows() {
        QStringList shown;
        const QAbstractItemModel& model = *view().model();
        for (int row = 0; row < model.rowCount(); ++row) {
            shown.append(QStringLiteral("%1 %2 %3")
                             .arg(model.index(row, 0).data().toString(),
                                  model.index(row, 1).data().toString(),
                                  model.index(row, 2).data().toString())
                             .trimmed());
        }
        return shown;
    }
    QStringList selected() {
        QStringList names;
        for (const QModelIndex& index : view().selectionModel()->selectedRows()) {
            names.append(index.data().toString());
        }
        names.sort();
        return names;
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(view().viewport(), Qt::LeftButton, modifiers,
                          view().visualRect(view().model()->index(row, 0)).center());
    }
    // Picks the file in the list's file dialog, opened by the button.
    void pickFile(const QString& button, const QString& path) {
        click<QPushButton>(*m_list, button);
        auto* dialog = m_list->findChild<QFileDialog*>(QStringLiteral("listFile"));
        QVERIFY(dialog != nullptr);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // How many of the system packages the phone has disabled.
    int disabledOnPhone() {
        return static_cast<int>(
            std::count_if(m_server.phone.packages.cbegin(), m_server.phone.packages.cend(),
                          [](const SimulatedPackage& p) { return p.disabled; }));
    }

    SimulatedAdbServer m_server;
    RealProgram m_program;
    PhoneApps* m_list = nullptr;
};

void PackageActionsE2ETest::initTestCase() {
    QVERIFY(m_server.listen());
    m_server.features = {QStringLiteral("shell_v2"), QStringLiteral("cmd")};
    m_server.setDevices({{kSerial, QStringLiteral("device"), QStringLiteral("Pixel 7")}});
    m_server.phone.packages = {
        {QStringLiteral("com.android.bloat"), true, false, false},
        {QStringLiteral("com.android.phone"), true, false, false},
        {QStringLiteral("com.example.notes"), false, false, false},
        {QStringLiteral("com.miui.analytics"), true, false, false},
        {QStringLiteral("com.miui.daemon"), true, false, false},
    };
    m_program.start(m_server);
}

void PackageActionsE2ETest::cleanupTestCase() {
    m_program.stop();
    QVERIFY2(m_program.startFailures().isEmpty(),
             qPrintable(m_program.startFailures().join(u'\n')));
}

void PackageActionsE2ETest::threeSystemPackagesDisabledThenUndoneAndListed() {
    // The journal knows the packages' states before they change, to take the changes back.
    QSignalSpy snapshots(&m_program.journal(), &journal::Journal::snapshotRead);
    Form1& main = *m_program.main();
    QTRY_COMPARE(control<QComboBox>(main, QStringLiteral("Combodev"))->currentText(),
                 QStringLiteral("Pixel_7 (R58M1)"));
    QTRY_VERIFY_WITH_TIMEOUT(snapshots.count() >= 1, kAdbTimeoutMs);
    App& app = m_program.app();
    Software* apps = app.open<Software>();
    click<ClickLabel>(*apps, QStringLiteral("Labelreadapps"));
    m_list = apps->findChild<PhoneApps*>();
    QVERIFY(m_list != nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(rows().size(), 5, kAdbTimeoutMs);

    click<QRadioButton>(*m_list, QStringLiteral("systemPackages"));
    QCOMPARE(rows().size(), 4);
    clickRow(0);
    clickRow(2, Qt::ControlModifier);
    clickRow(3, Qt::ControlModifier);
    QCOMPARE(selected(), kChosen);

    m_server.shellCommands.clear();
    click<QPushButton>(*m_list, QStringLiteral("disable"));
    auto* risk = m_list->findChild<SelectionRisk*>();
    QVERIFY(risk != nullptr);
    typeInto(*risk, QStringLiteral("phrase"), riskPhrase());
    click<QPushButton>(*risk, QStringLiteral("confirm"));

    // Three rows read again, each disabled by the user.
    const QStringList disabled = {
        QStringLiteral("com.android.bloat 系统，已停用（用户） 完成"),
        QStringLiteral("com.android.phone 系统"),
        QStringLiteral("com.miui.analytics 系统，已停用（用户） 完成"),
        QStringLiteral("com.miui.daemon 系统，已停用（用户） 完成"),
    };
    QTRY_COMPARE_WITH_TIMEOUT(rows(), disabled, 3 * kAdbTimeoutMs);
    // Three adb runs reached the phone, each with the package button's command.
    QStringList reached;
    for (const Received& command : std::as_const(m_server.shellCommands)) {
        if (command.text.startsWith(u"pm ")) {
            reached.append(command.text);
        }
    }
    reached.sort();
    QStringList commands;
    for (const QString& name : kChosen) {
        commands.append(
            apps::packageCommand(apps::PackageAction::Freeze, name).text().mid(10)); // "adb shell "
    }
    QCOMPARE(reached, commands);
    QCOMPARE(disabledOnPhone(), 3);
    // Three hidden runs, each journaled on its own with what takes it back.
    const QList<journal::Entry> entries = m_program.journal().read(kSerial).entries;
    QCOMPARE(entries.size(), 3);
    for (const journal::Entry& entry : entries) {
        QCOMPARE(entry.mode, launch::WindowMode::Hidden);
        QCOMPARE(entry.exitCode, std::optional<int>(0));
        QCOMPARE(entry.reversal.state, journal::Reversal::State::Reversible);
        QVERIFY(entry.line.startsWith(u"cmd /c adb shell pm disable-user "));
    }

    // "撤销本次全部" brings them back.
    click<ClickLabel>(main, QStringLiteral("Labeljournal"));
    auto* window = app.find<journal::JournalWindow>();
    QVERIFY(window != nullptr);
    click<QPushButton>(*window, QStringLiteral("undoSession"));
    click<QPushButton>(*window, QStringLiteral("confirmUndo"));
    QTRY_COMPARE_WITH_TIMEOUT(disabledOnPhone(), 0, 3 * kAdbTimeoutMs);
    click<ClickLabel>(*m_list, QStringLiteral("refresh"));
    QTRY_COMPARE_WITH_TIMEOUT(rows(),
                              (QStringList{QStringLiteral("com.android.bloat 系统"),
                                           QStringLiteral("com.android.phone 系统"),
                                           QStringLiteral("com.miui.analytics 系统"),
                                           QStringLiteral("com.miui.daemon 系统")}),
                              kAdbTimeoutMs);
    QCOMPARE(selected(), kChosen);

    // A list exported from the selection selects the same packages again.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("debloat.txt"));
    pickFile(QStringLiteral("exportList"), path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), kChosen.join(u'\n') + u'\n');
    view().clearSelection();
    click<QRadioButton>(*m_list, QStringLiteral("thirdPartyPackages"));
    pickFile(QStringLiteral("selectFromList"), path);
    QCOMPARE(selected(), kChosen);
    QCOMPARE(rows().size(), 5);
}

QTEST_MAIN(PackageActionsE2ETest)
#include "package_actions_e2e_test.moc"
