#include "app/fastboot_watch.h"
#include "devices/adb_device_tracker.h"
#include "flash/okc.h"
#include "shell/form1.h"
#include "support/driving.h"
#include "support/simulated_adb_server.h"
#include "support/test_app.h"

#include <QComboBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextDocument>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;
using devices::Server;
using devices::Snapshot;

namespace {

// A watch the test sets by hand.
class ScriptedWatch final : public DeviceWatch {
public:
    ScriptedWatch()
        : DeviceWatch(AdbServer()) {}
    void start() override { ++starts; }
    void set(Snapshot snapshot) { publish(std::move(snapshot)); }
    int starts = 0;

protected:
    void followServer() override {}
};

Snapshot up(std::vector<adb::ListedDevice> devices) {
    return {Server::Up, std::move(devices), ""};
}

} // namespace

class TrackingTest : public QObject {
    Q_OBJECT

private slots:
    void retriesAfterTheServerWentAway();
    void followsAServerOnAnotherAddress_data();
    void followsAServerOnAnotherAddress();
    void burstLargerThanTheInputBufferEndsOnItsLastList();
    void backOffGrowsUntilAListArrives_data();
    void backOffGrowsUntilAListArrives();
    void aDeviceThatLeftIsForgotten();
    void garbageFromTheServerIsALostServer_data();
    void garbageFromTheServerIsALostServer();
    void aServerThatNeverAnswersIsALostServer();
    void rowFollowsTheWatchAndTheChoiceReachesConsoles();
    void deviceCheckStartsTheServerFirst();
    void rebootingPhoneKeepsTheChoice();
    void everyDeviceTakesEachLineOnce();
    void serverWordsAreShownAsPlainText();
    void unusableSerialIsListedButNeverChosen();
};

void TrackingTest::retriesAfterTheServerWentAway() {
    auto server = std::make_unique<SimulatedAdbServer>();
    QVERIFY(server->listen());
    const quint16 port = server->port();
    server->setDevices({{QStringLiteral("A"), QStringLiteral("device"), {}}});
    AdbDeviceTracker tracker(port);
    tracker.start();
    QTRY_COMPARE(tracker.snapshot().devices.size(), 1U);

    server->stop();
    QTRY_COMPARE(tracker.snapshot(), (Snapshot{Server::Down, {}, ""}));
    // The first retry comes after a second; the server is back by then.
    server = std::make_unique<SimulatedAdbServer>();
    QVERIFY(server->listen(port));
    server->setDevices({{QStringLiteral("B"), QStringLiteral("offline"), {}}});
    QTest::qWait(300);
    QCOMPARE(server->trackers(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(tracker.snapshot(), up({{"B", "offline", ""}}), 3000);
}

void TrackingTest::followsAServerOnAnotherAddress_data() {
    QTest::addColumn<QString>("host");
    QTest::newRow("address") << QStringLiteral("127.0.0.2");
    // Looked up away from the event loop, in /etc/hosts.
    QTest::newRow("host name") << QStringLiteral("localhost");
}

// A server the user set is followed there, and named when it stops answering.
void TrackingTest::followsAServerOnAnotherAddress() {
    QFETCH(QString, host);
    const QHostAddress listening(host == u"localhost" ? QStringLiteral("127.0.0.1") : host);
    SimulatedAdbServer local;
    QVERIFY(local.listen());
    local.setDevices({{QStringLiteral("LOCAL"), QStringLiteral("device"), {}}});
    SimulatedAdbServer lab;
    QVERIFY(lab.listen(0, listening));
    lab.setDevices({{QStringLiteral("LAB1"), QStringLiteral("device"), {}}});
    AdbDeviceTracker tracker(local.port());
    tracker.start();
    QTRY_COMPARE(tracker.snapshot(), up({{"LOCAL", "device", ""}}));

    const AdbServer labServer(host.toStdString(), lab.port());
    tracker.setServer(labServer);
    const std::string shown = labServer.shown().toStdString();
    QTRY_COMPARE(tracker.snapshot(), (Snapshot{Server::Up, {{"LAB1", "device", ""}}, shown}));
    lab.stop();
    QTRY_COMPARE(tracker.snapshot(), (Snapshot{Server::Down, {}, shown}));
}

// Lists sent in one write outgrow the connection's input buffer: it must read on once the
// tracker has taken what it holds, and the snapshot must end on the last list.
void TrackingTest::burstLargerThanTheInputBufferEndsOnItsLastList() {
    QByteArray burst("OKAY");
    for (int round = 0; round < 300; ++round) {
        QByteArray list = QStringLiteral("round-%1\tdevice\n").arg(round).toLatin1();
        for (int i = 0; i < 40; ++i) {
            list += QStringLiteral("serial-with-some-length-%1\tdevice\n").arg(i).toLatin1();
        }
        burst += QByteArray::number(list.size(), 16).rightJustified(4, '0') + list;
    }
    QVERIFY(burst.size() > 2 * (1 << 17));
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QHostAddress::LocalHost)));
    connect(&server, &QTcpServer::newConnection, &server,
            [&server, burst] { server.nextPendingConnection()->write(burst); });
    AdbDeviceTracker tracker(server.serverPort());
    tracker.start();
    QTRY_COMPARE(tracker.snapshot().devices.size(), 41U);
    QTRY_COMPARE(tracker.snapshot().devices.front().serial, std::string("round-299"));
}

// A server that keeps announcing new serials must not make the tracker grow: it keeps the models
// of the devices listed now. One that comes back is named anew by the next long listing (none here:
// adb names no model while a device is unauthorized).
void TrackingTest::aDeviceThatLeftIsForgotten() {
    SimulatedAdbServer server;
    QVERIFY(server.listen());
    server.setDevices({{QStringLiteral("A"), QStringLiteral("device"), QStringLiteral("Pixel 7")}});
    AdbDeviceTracker tracker(server.port());
    tracker.start();
    QTRY_COMPARE(tracker.snapshot(), up({{"A", "device", "Pixel_7"}}));
    server.setDevices({});
    QTRY_COMPARE(tracker.snapshot(), up({}));
    server.setDevices({{QStringLiteral("A"), QStringLiteral("unauthorized"), {}}});
    QTRY_COMPARE(tracker.snapshot(), up({{"A", "unauthorized", ""}}));
}

void TrackingTest::backOffGrowsUntilAListArrives_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QList<int>>("delays");
    QTest::newRow("accepted, then dropped") << QByteArray("OKAY") << QList<int>{1000, 2000, 4000};
    QTest::newRow("listed, then dropped")
        << QByteArray("OKAY0009A\tdevice\n") << QList<int>{1000, 1000, 1000};
}

// The retry's delay after each dropped connection, each retry let run at once.
void TrackingTest::backOffGrowsUntilAListArrives() {
    QFETCH(QByteArray, answer);
    QFETCH(QList<int>, delays);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QHostAddress::LocalHost)));
    // Tracking connections only: a list also brings a query for the models.
    int trackers = 0;
    connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
            trackers += socket->readAll().contains("host:track-devices");
            socket->write(answer);
            socket->disconnectFromHost();
        });
    });
    AdbDeviceTracker tracker(server.serverPort());
    auto* retry = tracker.findChild<QTimer*>(QStringLiteral("retry"));
    QVERIFY(retry != nullptr);
    tracker.start();
    for (int i = 0; i < delays.size(); ++i) {
        QTRY_VERIFY(trackers == i + 1 && retry->isActive());
        QCOMPARE(retry->interval(), delays.at(i));
        retry->stop();
        QVERIFY(QMetaObject::invokeMethod(retry, "timeout"));
    }
}

void TrackingTest::garbageFromTheServerIsALostServer_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("not adb") << QByteArray("HTTP/1.1 400 Bad Request\r\n\r\n");
    QTest::newRow("bad length") << QByteArray("OKAYzzzz") + QByteArray(100000, 'z');
    QTest::newRow("refused") << QByteArray("FAIL0007unknown");
    QTest::newRow("closed mid-frame") << QByteArray("OKAYffffR58M\tdev");
}

void TrackingTest::garbageFromTheServerIsALostServer() {
    QFETCH(QByteArray, answer);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QHostAddress::LocalHost)));
    connect(&server, &QTcpServer::newConnection, &server, [&server, answer] {
        QTcpSocket* socket = server.nextPendingConnection();
        socket->write(answer);
        socket->disconnectFromHost();
    });
    AdbDeviceTracker tracker(server.serverPort());
    tracker.start();
    QTRY_COMPARE(tracker.snapshot(), (Snapshot{Server::Down, {}, ""}));
}

// One that accepts and keeps still is not waited for beyond the deadline.
void TrackingTest::aServerThatNeverAnswersIsALostServer() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QHostAddress::LocalHost)));
    AdbDeviceTracker tracker(AdbServer("127.0.0.1", server.serverPort()));
    tracker.start();
    const std::string shown = "127.0.0.1:" + std::to_string(server.serverPort());
    QTRY_COMPARE_WITH_TIMEOUT(tracker.snapshot(), (Snapshot{Server::Down, {}, shown}), 8000);
    QVERIFY(server.hasPendingConnections());
}

void TrackingTest::rowFollowsTheWatchAndTheChoiceReachesConsoles() {
    TestApp t(false);
    ScriptedWatch watch;
    t.app().setDeviceWatch(&watch);
    Form1* main = form1(t.app());
    QVERIFY(main != nullptr);
    QTRY_COMPARE(watch.starts, 1);
    auto* list = control<QComboBox>(*main, QStringLiteral("Combodev"));
    auto* state = control<QLabel>(*main, QStringLiteral("Labeldevstate"));
    QVERIFY(list && state);
    // The serial the next console gets, seen through a press of the screenshot entry.
    const auto serialOfNextConsole = [&] {
        t.clearRecords();
        click(*main, QStringLiteral("Label22"));
        return t.lastStarted().serial;
    };
    const auto a = adb::ListedDevice{"A", "device", "Pixel_7"};
    const auto b = adb::ListedDevice{"B", "unauthorized", ""};

    watch.set(up({a}));
    QCOMPARE(list->currentText(), QStringLiteral("Pixel_7 (A)"));
    QVERIFY(!list->isEnabled());
    QCOMPARE(state->text(), QStringLiteral("已连接，可以使用。"));
    QCOMPARE(serialOfNextConsole(), QStringLiteral("A"));

    watch.set(up({a, b}));
    QVERIFY(list->isEnabled());
    QCOMPARE(list->currentText(), QStringLiteral("Pixel_7 (A)"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentText(), QStringLiteral("B"));
    QCOMPARE(state->text(), QStringLiteral("未授权：请在手机上允许 USB 调试。"));
    QCOMPARE(serialOfNextConsole(), QStringLiteral("B"));

    // A main window loaded again keeps the choice, listed or not.
    closeWindow(main);
    QTRY_VERIFY(t.app().find<Form1>() == nullptr);
    watch.set(up({a}));
    t.clearRecords();
    t.run(QStringLiteral("adb devices"), launch::kHidden);
    QCOMPARE(t.lastStarted().serial, QStringLiteral("B"));
}

// The device check starts this computer's server in the background before its console opens, so
// that the console's adb never races it; why adb could not start one stands in the row while the
// server stays down.
void TrackingTest::deviceCheckStartsTheServerFirst() {
    TestApp t(false);
    ScriptedWatch watch;
    t.app().setDeviceWatch(&watch);
    Form1* main = form1(t.app());
    QVERIFY(main != nullptr);
    QCOMPARE(t.fakes().processes.lines(), QStringList{QStringLiteral("cmd /c adb start-server")});
    watch.set({Server::Down, {}, ""});
    t.fakes().processes.hiddenRunEnds.first()(
        {255, "* daemon not running\nADB server didn't ACK\n"});
    QCOMPARE(shownText(*main, QStringLiteral("Labeldevstate")),
             QStringLiteral("adb 无法启动服务（退出码 255）：ADB server didn't ACK"));
    QVERIFY(t.lastStarted().line.startsWith(QStringLiteral("cmd /k adb devices")));
    // A server that answered meanwhile makes the failure past.
    watch.set(up({}));
    watch.set({Server::Down, {}, ""});
    QCOMPARE(shownText(*main, QStringLiteral("Labeldevstate")),
             QStringLiteral("adb 服务未运行：运行一次设备检测或 adb devices 即可启动。"));
}

// "全部设备" with two ready phones and an unauthorized one: each line runs once per ready phone.
// It stays chosen while a phone drops off for a moment, and always means the phones ready at the
// click.
void TrackingTest::everyDeviceTakesEachLineOnce() {
    TestApp t(false);
    ScriptedWatch watch;
    t.app().setDeviceWatch(&watch);
    Form1* main = form1(t.app());
    QVERIFY(main != nullptr);
    auto* list = control<QComboBox>(*main, QStringLiteral("Combodev"));
    const auto a = adb::ListedDevice{"A", "device", ""};
    const auto b = adb::ListedDevice{"B", "device", ""};
    const auto c = adb::ListedDevice{"C", "unauthorized", ""};
    watch.set(up({a, b, c}));
    QCOMPARE(list->itemText(list->count() - 1), QStringLiteral("全部设备（2 台）"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(shownText(*main, QStringLiteral("Labeldevstate")),
             QStringLiteral("命令将在全部 2 台设备上运行；跳过：C（未授权）"));
    const auto serialsOfNextLine = [&t](qsizetype phones) {
        t.clearRecords();
        t.run(QStringLiteral("adb shell pm disable-user p"), launch::kConsole);
        // One start a turn of the event loop (the first batch also opens its window, which under
        // the sanitizers on a busy machine takes longer than a few turns); then a while for any
        // start beyond one a phone.
        // The caller's comparison tells when they do not all come.
        static_cast<void>(
            QTest::qWaitFor([&t, phones] { return t.started().size() >= phones; }, 5000));
        QTest::qWait(50);
        QStringList serials;
        for (const StartedLine& started : t.started()) {
            serials << started.serial.value_or(QStringLiteral("-"));
        }
        // The batch's hidden runs end, so that the phones' next lines may start.
        for (const auto& ended : std::as_const(t.fakes().processes.hiddenRunEnds)) {
            if (ended) {
                ended({0, {}, false});
            }
        }
        return serials;
    };
    QCOMPARE(serialsOfNextLine(2), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));

    watch.set(up({a, c}));
    QCOMPARE(list->currentText(), QStringLiteral("全部设备（1 台）"));
    QCOMPARE(serialsOfNextLine(1), QStringList{QStringLiteral("A")});
    watch.set(up({a, b, c}));
    QCOMPARE(serialsOfNextLine(2), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));

    // A phone in fastboot mode is counted and named; fastboot lines go to it alone.
    FastbootWatch fastboot(t.fakes().processes);
    t.app().setFastbootWatch(&fastboot);
    t.clearRecords();
    fastboot.hold();
    QCOMPARE(t.fakes().processes.lines(), QStringList{QStringLiteral("cmd /c fastboot devices")});
    t.fakes().processes.hiddenRunEnds.at(0)({0, "F1\tfastboot\n", false});
    QTRY_COMPARE(list->currentText(), QStringLiteral("全部设备（3 台）"));
    QCOMPARE(shownText(*main, QStringLiteral("Labeldevstate")),
             QStringLiteral("命令将在全部 2 台设备上运行；跳过：C（未授权） 另有 1 台在 Fastboot "
                            "模式，接收 fastboot 命令。"));
    t.clearRecords();
    t.run(QStringLiteral("fastboot reboot"), launch::kHidden);
    QTRY_VERIFY_WITH_TIMEOUT(!t.started().isEmpty(), 5000);
    QTest::qWait(50);
    QCOMPARE(t.lastStarted().serial, std::optional<QString>(QStringLiteral("F1")));
    QCOMPARE(t.started().size(), 1);
    t.app().setFastbootWatch(nullptr);
}

// Two phones; the user picks B and reboots it into its bootloader: B leaves the server's list
// while A stays. Everything that follows, flashing included, still goes to B.
void TrackingTest::rebootingPhoneKeepsTheChoice() {
    SimulatedAdbServer server;
    QVERIFY(server.listen());
    const SimulatedDevice a{QStringLiteral("A"), QStringLiteral("device"),
                            QStringLiteral("Pixel 7")};
    const SimulatedDevice b{QStringLiteral("B"), QStringLiteral("device"), QStringLiteral("Mi 10")};
    server.setDevices({a, b});
    TestApp t(false);
    t.addFile(QStringLiteral("boot.img"));
    AdbDeviceTracker tracker(server.port());
    t.app().setDeviceWatch(&tracker);
    Form1* main = form1(t.app());
    QVERIFY(main != nullptr);
    auto* list = control<QComboBox>(*main, QStringLiteral("Combodev"));
    auto* state = control<QLabel>(*main, QStringLiteral("Labeldevstate"));
    QVERIFY(list && state);
    QTRY_COMPARE(list->count(), 4); // the two phones, "选择设备…" and "全部设备"
    QCOMPARE(list->currentIndex(), -1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentData().toString(), QStringLiteral("B"));

    QWidget* okc = t.app().open<OKC>();
    QVERIFY(okc != nullptr);
    const auto lastSerialAfter = [&](const QString& button) {
        t.clearRecords();
        click(*okc, button);
        return t.lastStarted().serial;
    };
    QCOMPARE(lastSerialAfter(QStringLiteral("FB")), QStringLiteral("B"));

    server.setDevices({a});
    QTRY_COMPARE(state->text(), QStringLiteral("已断开，等待重新连接：B"));
    QCOMPARE(list->currentText(), QStringLiteral("B（已断开）"));
    QVERIFY(list->isEnabled());
    pick(*okc, QStringLiteral("File1"), QStringLiteral("boot.img"));
    click(*okc, QStringLiteral("botf"));
    QCOMPARE(lastSerialAfter(QStringLiteral("N_Shapeshuaru")), QStringLiteral("B"));
    QVERIFY(t.lastStarted().line.contains(u"fastboot flash boot"));

    server.setDevices({a, b});
    QTRY_COMPARE(state->text(), QStringLiteral("已连接，可以使用。"));
    QCOMPARE(list->currentData().toString(), QStringLiteral("B"));
    QCOMPARE(list->count(), 4);
}

// Any local process on the adb port can answer in the server's place: markup in a state word would
// draw a local picture, or nest deep enough to overflow the stack when painted.
void TrackingTest::serverWordsAreShownAsPlainText() {
    TestApp t(false);
    ScriptedWatch watch;
    t.app().setDeviceWatch(&watch);
    Form1* main = form1(t.app());
    QVERIFY(main != nullptr);
    auto* state = control<QLabel>(*main, QStringLiteral("Labeldevstate"));
    QVERIFY(state != nullptr);
    watch.set(up({{"A", "<img src='/tmp/x.png'><table><tr><td>", ""}}));
    const QString shown = QStringLiteral("状态：<img src='/tmp/x.png'><table><tr><td>");
    QCOMPARE(state->text(), shown);
    QCOMPARE(state->textFormat(), Qt::PlainText);
    QTextDocument tip;
    tip.setHtml(state->toolTip());
    QCOMPARE(tip.toPlainText(), shown);
}

void TrackingTest::unusableSerialIsListedButNeverChosen() {
    TestApp t(false);
    ScriptedWatch watch;
    t.app().setDeviceWatch(&watch);
    Form1* main = form1(t.app());
    QVERIFY(main != nullptr);
    auto* list = control<QComboBox>(*main, QStringLiteral("Combodev"));
    QVERIFY(list != nullptr);
    const auto evil = adb::ListedDevice{std::string("REAL\0EVIL", 9), "device", ""};

    watch.set(up({evil}));
    QCOMPARE(list->itemText(0), QStringLiteral("REAL\\x00EVIL（序列号无效）"));
    QCOMPARE(list->currentIndex(), -1);
    t.run(QStringLiteral("adb devices"), launch::kHidden);
    QCOMPARE(t.lastStarted().serial, std::nullopt);

    watch.set(up({evil, {"A", "device", ""}}));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->currentText(), QStringLiteral("A"));
    t.run(QStringLiteral("adb devices"), launch::kHidden);
    QCOMPARE(t.lastStarted().serial, QStringLiteral("A"));
}

QTEST_MAIN(TrackingTest)
#include "tracking_test.moc"
