// The device row and the chosen device end to end: the program's own windows and services, the
// real kavu-cmd and terminal, and the real adb client talking to a simulated server. Run under
// Xvfb by devices_e2e.sh, which also clears away the consoles left waiting for a key.
#include "app/app.h"
#include "apps/apps_commands.h"
#include "apps/software.h"
#include "connection/server_dialog.h"
#include "devices/adb_device_tracker.h"
#include "journal/journal.h"
#include "real_program.h"
#include "shell/form1.h"
#include "support/driving.h"
#include "support/simulated_adb_server.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

using namespace kavu;
using namespace kavu::test;

namespace {

constexpr int kAdbTimeoutMs = 15000;
constexpr qint64 kPackageSize = 12345;

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace

class DevicesE2ETest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void showsTheDevicesAndFollowsAChange();
    void theChosenDeviceAloneGetsAPackageCommand();
    void aPickedFileWithABlankArrivesWhole();
    void anUnauthorizedDeviceIsExplained();
    void everyDeviceGetsTheFreezeOnce();
    void aLabServerServesTheRowAndTheConsoles();

private:
    QComboBox* deviceList() { return control<QComboBox>(*m_main, QStringLiteral("Combodev")); }
    QString explanation() {
        return control<QLabel>(*m_main, QStringLiteral("Labeldevstate"))->text();
    }

    SimulatedAdbServer m_server;
    RealProgram m_program;
    Form1* m_main = nullptr;
    Software* m_software = nullptr;
};

void DevicesE2ETest::initTestCase() {
    QVERIFY(m_server.listen());
    m_server.setDevices(
        {{QStringLiteral("R58M1"), QStringLiteral("device"), QStringLiteral("Pixel 7")}});
    m_program.start(m_server);
    m_main = m_program.main();
    QVERIFY(m_main != nullptr);
    QFile package(m_program.folder().filePath(QStringLiteral("File/my app.apk")));
    QVERIFY(package.open(QIODevice::WriteOnly));
    package.write(QByteArray(kPackageSize, 'k'));
}

void DevicesE2ETest::cleanupTestCase() {
    m_program.stop();
    QVERIFY2(m_program.startFailures().isEmpty(),
             qPrintable(m_program.startFailures().join(u'\n')));
}

void DevicesE2ETest::showsTheDevicesAndFollowsAChange() {
    QTRY_COMPARE(deviceList()->currentText(), QStringLiteral("Pixel_7 (R58M1)"));
    QCOMPARE(explanation(), text(devices::explanation(m_program.tracker().snapshot(), "R58M1")));
    QVERIFY(!deviceList()->isEnabled());
    // The device-check console's adb reached the simulated server.
    QTRY_VERIFY_WITH_TIMEOUT(m_server.requests.contains(QStringLiteral("host:devices")),
                             kAdbTimeoutMs);

    QElapsedTimer clock;
    clock.start();
    m_server.setDevices(
        {{QStringLiteral("R58M1"), QStringLiteral("device"), QStringLiteral("Pixel 7")},
         {QStringLiteral("8HX2"), QStringLiteral("device"), QStringLiteral("Mi 10")}});
    // The two phones, "选择设备…" and "全部设备".
    QTRY_VERIFY_WITH_TIMEOUT(deviceList()->count() == 4 && deviceList()->isEnabled(), 1000);
    QTRY_COMPARE_WITH_TIMEOUT(deviceList()->itemText(1), QStringLiteral("Mi_10 (8HX2)"), 1000);
    qInfo("the list changed on screen after %lld ms", clock.elapsed());
}

void DevicesE2ETest::theChosenDeviceAloneGetsAPackageCommand() {
    QComboBox* list = deviceList();
    QCOMPARE(list->currentText(), QStringLiteral("Pixel_7 (R58M1)"));
    list->setFocus();
    QSignalSpy snapshotRead(&m_program.journal(), &journal::Journal::snapshotRead);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentText(), QStringLiteral("Mi_10 (8HX2)"));
    // The journal reads what the newly chosen phone holds; the command comes after.
    QTRY_VERIFY_WITH_TIMEOUT(snapshotRead.count() == 1, kAdbTimeoutMs);
    m_server.requests.clear();
    m_server.shellCommands.clear();

    click(*m_main, QStringLiteral("Label23"));
    m_software = m_program.app().find<Software>();
    QVERIFY(m_software != nullptr);
    const QString package = QStringLiteral("com.example.notes");
    typeInto(*m_software, QStringLiteral("APPText5"), package);
    click<N_Shape>(*m_software, QStringLiteral("FREEZE"));

    QTRY_COMPARE_WITH_TIMEOUT(m_server.shellCommands.size(), 1, kAdbTimeoutMs);
    const QString sent =
        apps::packageCommand(apps::PackageAction::Freeze, package).text().mid(10); // "adb shell "
    QCOMPARE(m_server.shellCommands.front().text, sent);
    QCOMPARE(m_server.shellCommands.front().serial, QStringLiteral("8HX2"));
    QVERIFY2(m_server.requests.contains(QStringLiteral("host:tport:serial:8HX2")),
             qPrintable(m_server.requests.join(u' ')));
    for (const QString& request : std::as_const(m_server.requests)) {
        QVERIFY2(!request.contains(u"R58M1") && request != u"host:tport:any", qPrintable(request));
    }
}

void DevicesE2ETest::aPickedFileWithABlankArrivesWhole() {
    QVERIFY(m_software != nullptr);
    m_server.shellCommands.clear();
    auto* files = control<QListWidget>(*m_software, QStringLiteral("Fileapk"));
    const QList<QListWidgetItem*> found =
        files->findItems(QStringLiteral("my app.apk"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    files->setCurrentItem(found.front());
    click<N_Shape>(*m_software, QStringLiteral("N_Shapeinsta"));

    QTRY_COMPARE_WITH_TIMEOUT(m_server.files.size(), 1, kAdbTimeoutMs);
    QCOMPARE(m_server.files.front().serial, QStringLiteral("8HX2"));
    QCOMPARE(m_server.files.front().text, QStringLiteral("/data/local/tmp/my app.apk"));
    QCOMPARE(m_server.files.front().size, kPackageSize);
    // The package manager is asked to install that one file, its name one word for the shell.
    QTRY_VERIFY_WITH_TIMEOUT(!m_server.shellCommands.isEmpty(), kAdbTimeoutMs);
    const QString install = m_server.shellCommands.front().text;
    QVERIFY2(install.startsWith(u"pm ") && install.contains(u"install") &&
                 install.endsWith(u" '/data/local/tmp/my app.apk'"),
             qPrintable(install));
}

void DevicesE2ETest::anUnauthorizedDeviceIsExplained() {
    m_server.setDevices({{QStringLiteral("ZX1"), QStringLiteral("unauthorized"), {}}});
    // The chosen phone stays chosen while it is away; the user picks the new one.
    QTRY_COMPARE(explanation(), QStringLiteral("已断开，等待重新连接：8HX2"));
    QComboBox* list = deviceList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(list->currentText(), QStringLiteral("ZX1"));
    QCOMPARE(explanation(), QStringLiteral("未授权：请在手机上允许 USB 调试。"));
}

// "全部设备" with two phones: one freeze reaches each of them exactly once, through the real adb
// of two hidden runs.
void DevicesE2ETest::everyDeviceGetsTheFreezeOnce() {
    m_server.setDevices({{QStringLiteral("R58M1"), QStringLiteral("device"), {}},
                         {QStringLiteral("8HX2"), QStringLiteral("device"), {}}});
    QComboBox* list = deviceList();
    QTRY_COMPARE(list->itemText(list->count() - 1), QStringLiteral("全部设备（2 台）"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(list->currentText(), QStringLiteral("全部设备（2 台）"));

    QVERIFY(m_software != nullptr);
    const QString package = QStringLiteral("com.example.every");
    typeInto(*m_software, QStringLiteral("APPText5"), package);
    click<N_Shape>(*m_software, QStringLiteral("FREEZE"));
    const QString sent = QStringLiteral("pm disable-user ") + package;
    const auto freezesOf = [this, &sent](const QString& serial) {
        return int(std::count_if(
            m_server.shellCommands.begin(), m_server.shellCommands.end(),
            [&](const auto& command) { return command.serial == serial && command.text == sent; }));
    };
    QTRY_VERIFY_WITH_TIMEOUT(freezesOf(QStringLiteral("R58M1")) == 1 &&
                                 freezesOf(QStringLiteral("8HX2")) == 1,
                             kAdbTimeoutMs);
    // Nothing more comes: each phone got it once.
    QTest::qWait(500);
    QCOMPARE(freezesOf(QStringLiteral("R58M1")), 1);
    QCOMPARE(freezesOf(QStringLiteral("8HX2")), 1);
}

// A server on another address (a lab's): the row lists its devices, the adb in the consoles
// reaches it, and it is named when it stops answering.
void DevicesE2ETest::aLabServerServesTheRowAndTheConsoles() {
    SimulatedAdbServer lab;
    QVERIFY(lab.listen(0, QHostAddress(QStringLiteral("127.0.0.2"))));
    lab.setDevices({{QStringLiteral("LAB1"), QStringLiteral("device"), {}}});
    useAdbServer(m_program.app(), AdbServer("127.0.0.2", lab.port()));
    QTRY_COMPARE(deviceList()->currentText(), QStringLiteral("LAB1"));

    QVERIFY(m_software != nullptr);
    typeInto(*m_software, QStringLiteral("APPText5"), QStringLiteral("com.example.lab"));
    click<N_Shape>(*m_software, QStringLiteral("FREEZE"));
    // The journal reads the phone's values too; only the freeze is counted.
    const auto freezes = [](const SimulatedAdbServer& server) {
        return int(std::count_if(
            server.shellCommands.begin(), server.shellCommands.end(), [](const auto& command) {
                return command.text.contains(u"pm disable-user com.example.lab");
            }));
    };
    QTRY_COMPARE_WITH_TIMEOUT(freezes(lab), 1, kAdbTimeoutMs);
    const auto freeze =
        std::find_if(lab.shellCommands.begin(), lab.shellCommands.end(), [](const auto& command) {
            return command.text.startsWith(u"pm disable-user");
        });
    QCOMPARE(freeze->serial, QStringLiteral("LAB1"));
    QCOMPARE(freeze->text, QStringLiteral("pm disable-user com.example.lab"));
    QCOMPARE(freezes(m_server), 0);

    const quint16 port = lab.port();
    lab.stop();
    QTRY_COMPARE(explanation(), QStringLiteral("无法连接 adb 服务器 127.0.0.2:%1").arg(port));
    useAdbServer(m_program.app(), localServerFromEnvironment());
    QTRY_VERIFY(deviceList()->count() > 0);
}

QTEST_MAIN(DevicesE2ETest)
#include "devices_e2e_test.moc"
