// The phone's package list end to end: the program's own windows and services, the shell client
// reading the lists, and a package frozen through the real kavu-cmd, terminal and adb client, all
// against a simulated adb server whose phone keeps the package's state. Run under Xvfb by
// devices_e2e.sh, which also clears away the console left waiting for a key.
#include "apps/apps_commands.h"
#include "apps/phone_apps.h"
#include "apps/software.h"
#include "devices/adb_device_tracker.h"
#include "devices/adb_shell_client.h"
#include "display/font_scale_offset.h"
#include "platform/process_starter.h"
#include "shell/app.h"
#include "shell/form1.h"
#include "support/driving.h"
#include "support/fake_services.h"
#include "support/simulated_adb_server.h"
#include "window_table.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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

    QTemporaryDir m_work;
    SimulatedAdbServer m_server;
    FakeServices m_fakes;
    QStringList m_startFailures;
    std::unique_ptr<SystemProcessStarter> m_processes;
    std::unique_ptr<AdbDeviceTracker> m_tracker;
    std::unique_ptr<AdbShellClient> m_shellClient;
    std::unique_ptr<App> m_app;
    FontScaleOffset m_fontScaleOffset;
    Form1* m_main = nullptr;
};

void PackageListE2ETest::initTestCase() {
    QVERIFY(m_work.isValid());
    QVERIFY(m_server.listen());
    // Every adb the consoles start talks to the simulated server, never to a real one.
    qputenv("ANDROID_ADB_SERVER_PORT", QByteArray::number(m_server.port()));
    qunsetenv("ANDROID_SERIAL");
    m_server.features = {QStringLiteral("shell_v2"), QStringLiteral("cmd")};
    m_server.setDevices(
        {{QStringLiteral("R58M1"), QStringLiteral("device"), QStringLiteral("Pixel 7")}});
    m_server.phone.packages = {
        {QStringLiteral("com.android.phone"), true, false, false},
        {QStringLiteral("com.example.maps"), false, false, false},
        {kNotes, false, false, false},
    };

    // The program folder passes the tool check; the consoles run in a folder of their own, so
    // that adb is found on PATH.
    const QDir work(m_work.path());
    for (const QString& tool :
         {QStringLiteral("adb"), QStringLiteral("fastboot"), QStringLiteral("kavu-cmd")}) {
        QFile file(work.filePath(tool));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
    }
    QVERIFY(work.mkpath(QStringLiteral("File")) && work.mkpath(QStringLiteral("consoles")));
    QVERIFY(QDir::setCurrent(work.filePath(QStringLiteral("consoles"))));
    m_fakes.program.folder = m_work.path();

    m_processes = std::make_unique<SystemProcessStarter>(
        QStringLiteral(KAVU_CMD_PATH), SystemProcessStarter::findTerminal(),
        [this](const QString& message) { m_startFailures.append(message); });
    m_tracker = std::make_unique<AdbDeviceTracker>(m_server.port());
    m_shellClient = std::make_unique<AdbShellClient>();
    m_app = std::make_unique<App>(Services{*m_processes, m_fakes.messages, m_fakes.pause,
                                           m_fakes.random, m_fakes.browser, m_fakes.program});
    m_app->setDeviceWatch(m_tracker.get());
    m_app->setShellClient(m_shellClient.get());
    registerWindows(*m_app, m_fontScaleOffset);
    m_main = m_app->form1();
    QVERIFY(m_main != nullptr);
}

void PackageListE2ETest::cleanupTestCase() {
    m_app.reset();
    QVERIFY2(m_startFailures.isEmpty(), qPrintable(m_startFailures.join(u'\n')));
}

void PackageListE2ETest::aChosenPackageFrozenShowsDisabledAfterARefresh() {
    QTRY_COMPARE(control<QComboBox>(*m_main, QStringLiteral("Combodev"))->currentText(),
                 QStringLiteral("Pixel_7 (R58M1)"));
    click(*m_main, QStringLiteral("Label23"));
    auto* software = m_app->find<Software>();
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
    QTRY_COMPARE_WITH_TIMEOUT(rows(*list), QStringList{kNotes + QStringLiteral(" 第三方，已停用")},
                              kAdbTimeoutMs);
}

QTEST_MAIN(PackageListE2ETest)
#include "package_list_e2e_test.moc"
