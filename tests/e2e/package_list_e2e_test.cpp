// The phone's package list end to end: the program's own windows and services, the shell client
// reading the lists, and a package frozen through the real kavu-cmd, terminal and adb client, all
// against a simulated adb server whose phone keeps the package's state. Run under Xvfb by
// devices_e2e.sh, which also clears away the console left waiting for a key.
#include "app/app.h"
#include "apps/apps_commands.h"
#include "apps/phone_apps.h"
#include "apps/software.h"
#include "devices/adb_device_tracker.h"
#include "real_program.h"
#include "shell/form1.h"
#include "support/driving.h"
#include "support/simulated_adb_server.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTreeView>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;

namespace {

constexpr int kAdbTimeoutMs = 15000;
const QString kNotes = QStringLiteral("com.example.notes");

} // namespace

class PackageListE2ETest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void aChosenPackageFrozenShowsDisabledAfterARefresh();

private:
    // Each row the list shows as "name state".
    QStringList rows(PhoneApps& list) {
        auto* view = control<QTreeView>(list, QStringLiteral("packages"));
        QStringList shown;
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            shown.append(view->model()->index(row, 0).data().toString() + u' ' +
                         view->model()->index(row, 1).data().toString());
        }
        return shown;
    }

    SimulatedAdbServer m_server;
    RealProgram m_program;
    Form1* m_main = nullptr;
};

void PackageListE2ETest::initTestCase() {
    QVERIFY(m_server.listen());
    m_server.features = {QStringLiteral("shell_v2"), QStringLiteral("cmd")};
    m_server.setDevices(
        {{QStringLiteral("R58M1"), QStringLiteral("device"), QStringLiteral("Pixel 7")}});
    m_server.phone.packages = {
        {QStringLiteral("com.android.phone"), true, false, false},
        {QStringLiteral("com.example.maps"), false, false, false},
        {kNotes, false, false, false},
    };
    m_program.start(m_server);
    m_main = m_program.main();
    QVERIFY(m_main != nullptr);
}

void PackageListE2ETest::cleanupTestCase() {
    m_program.stop();
    QVERIFY2(m_program.startFailures().isEmpty(),
             qPrintable(m_program.startFailures().join(u'\n')));
}

void PackageListE2ETest::aChosenPackageFrozenShowsDisabledAfterARefresh() {
    QTRY_COMPARE(control<QComboBox>(*m_main, QStringLiteral("Combodev"))->currentText(),
                 QStringLiteral("Pixel_7 (R58M1)"));
    click(*m_main, QStringLiteral("Label23"));
    auto* software = m_program.app().find<Software>();
    QVERIFY(software != nullptr);

    click<ClickLabel>(*software, QStringLiteral("Labelreadapps"));
    auto* list = software->findChild<PhoneApps*>();
    QVERIFY(list != nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(rows(*list).size(), 3, kAdbTimeoutMs);
    typeInto(*list, QStringLiteral("filter"), QStringLiteral("notes"));
    QCOMPARE(rows(*list), QStringList{kNotes + QStringLiteral(" 第三方")});
    auto* view = control<QTreeView>(*list, QStringLiteral("packages"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 0)).center());
    QCOMPARE(boxText(*software, QStringLiteral("APPText5")), kNotes);

    m_server.shellCommands.clear();
    click<N_Shape>(*software, QStringLiteral("FREEZE"));
    // The console's adb reached the phone with the package's command.
    const QString freeze =
        apps::packageCommand(apps::PackageAction::Freeze, kNotes).text().mid(10); // "adb shell "
    QTRY_VERIFY_WITH_TIMEOUT(
        std::any_of(m_server.shellCommands.begin(), m_server.shellCommands.end(),
                    [&freeze](const Received& command) { return command.text == freeze; }),
        kAdbTimeoutMs);

    // Nothing polls: the list still shows what it read until it is read again.
    QCOMPARE(rows(*list), QStringList{kNotes + QStringLiteral(" 第三方")});
    click<ClickLabel>(*list, QStringLiteral("refresh"));
    // The disabled package's own state says the user disabled it.
    QTRY_COMPARE_WITH_TIMEOUT(rows(*list),
                              QStringList{kNotes + QStringLiteral(" 第三方，已停用（用户）")},
                              kAdbTimeoutMs);
}

QTEST_MAIN(PackageListE2ETest)
#include "package_list_e2e_test.moc"
