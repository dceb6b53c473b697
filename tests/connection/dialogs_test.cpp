#include "app/qt_text.h"
#include "connection/connection_commands.h"
#include "connection/server_dialog.h"
#include "connection/wireless_dialog.h"
#include "devices/adb_device_tracker.h"
#include "support/driving.h"
#include "support/test_app.h"
#include "widgets/option_button.h"

#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;
using kavu::launch::WindowMode;

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void serverChoiceReachesWatchAndConsoles_data();
    void serverChoiceReachesWatchAndConsoles();
    void wirelessButtonsRunTheirCommands();
    void anAdbWithoutPairingSaysSo();
    void serverAndAddressesAreRemembered();
};

void DialogsTest::serverChoiceReachesWatchAndConsoles_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("socket"); // what the consoles get; "-": nothing changed
    QTest::newRow("another computer") << "Remote"
                                      << " 127.0.0.2 "
                                      << "5999"
                                      << "tcp:127.0.0.2:5999";
    QTest::newRow("an IPv6 address typed bare") << "Remote"
                                                << "::1"
                                                << "5038"
                                                << "tcp:[::1]:5038";
    QTest::newRow("this computer") << "Local"
                                   << "ignored"
                                   << "x"
                                   << "";
    QTest::newRow("port out of range") << "Remote"
                                       << "lab"
                                       << "70000"
                                       << "-";
    QTest::newRow("host with a second command") << "Remote"
                                                << "lab&calc"
                                                << "5037"
                                                << "-";
}

// The dialog turns the device watch and the consoles to the server chosen, or refuses an address
// that is not one and changes nothing.
void DialogsTest::serverChoiceReachesWatchAndConsoles() {
    QFETCH(QString, option);
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(QString, socket);
    TestApp t;
    AdbDeviceTracker tracker(AdbServer("lab", 5037));
    t.app().setDeviceWatch(&tracker);
    auto* dialog = t.app().open<AdbServerDialog>();
    QCOMPARE(shownText(*dialog, QStringLiteral("Current")), QStringLiteral("当前：lab:5037"));
    click<OptionButton>(*dialog, option);
    typeInto(*dialog, QStringLiteral("Host"), host);
    typeInto(*dialog, QStringLiteral("Port"), port);
    click<N_Shape>(*dialog, QStringLiteral("Apply"));
    // The server the next console is told of.
    const auto socketOfNextConsole = [&t] {
        t.run(QStringLiteral("adb devices"), launch::kHidden);
        return t.lastStarted().environment.serverSocket;
    };
    if (socket == u"-") {
        QCOMPARE(tracker.server(), AdbServer("lab", 5037));
        QCOMPARE(t.messages().size(), 1);
        QCOMPARE(t.messages().first().text, qtText(kInvalidNetworkAddressMessage));
        QCOMPARE(socketOfNextConsole(), std::nullopt);
        return;
    }
    QCOMPARE(tracker.server().socketSpec(), socket);
    QVERIFY(t.messages().isEmpty());
    QCOMPARE(socketOfNextConsole(), std::optional<QString>(socket));
}

void DialogsTest::wirelessButtonsRunTheirCommands() {
    TestApp t;
    auto* dialog = t.app().open<WirelessDialog>();
    typeInto(*dialog, QStringLiteral("Address"), QStringLiteral("192.168.1.5:5555"));
    click<N_Shape>(*dialog, QStringLiteral("Connect"));
    QVERIFY2(t.ranOnly(connection::connectCommand(QStringLiteral("192.168.1.5:5555")).text(),
                       WindowMode::Normal),
             t.mismatch());
    t.clearRecords();
    click<N_Shape>(*dialog, QStringLiteral("WirelessOn"));
    QVERIFY2(t.ranOnly(connection::kWirelessOn), t.mismatch());
    t.clearRecords();
    typeInto(*dialog, QStringLiteral("Address"), QStringLiteral("192.168.1.5"));
    click<N_Shape>(*dialog, QStringLiteral("Disconnect"));
    QVERIFY(t.started().isEmpty());
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, qtText(kInvalidNetworkAddressMessage));
}

// The test's adb is an empty file, which cannot run: no help, so no pairing.
void DialogsTest::anAdbWithoutPairingSaysSo() {
    TestApp t;
    auto* dialog = t.app().open<WirelessDialog>();
    QTRY_VERIFY(!shownText(*dialog, QStringLiteral("PairNote")).isEmpty());
    QVERIFY(!control<N_Shape>(*dialog, QStringLiteral("Pair"))->isEnabled());
}

// The server chosen and the phones connected to over Wi-Fi are kept in the settings: the server
// comes back at the next start, and "重新连接全部" connects to each address again, hidden.
void DialogsTest::serverAndAddressesAreRemembered() {
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("kavu.ini")), QSettings::IniFormat);
    TestApp t;
    t.app().setSettings(&settings);
    AdbDeviceTracker tracker(AdbServer(5037));
    t.app().setDeviceWatch(&tracker);
    auto* server = t.app().open<AdbServerDialog>();
    click<OptionButton>(*server, QStringLiteral("Remote"));
    typeInto(*server, QStringLiteral("Host"), QStringLiteral("lab"));
    typeInto(*server, QStringLiteral("Port"), QStringLiteral("5038"));
    click<N_Shape>(*server, QStringLiteral("Apply"));
    QCOMPARE(rememberedAdbServer(t.app()), std::optional(AdbServer("lab", 5038)));

    auto* wireless = t.app().open<WirelessDialog>();
    for (const QString& address :
         {QStringLiteral("10.0.0.2:5555"), QStringLiteral("10.0.0.3:5555")}) {
        typeInto(*wireless, QStringLiteral("Address"), address);
        click<N_Shape>(*wireless, QStringLiteral("Connect"));
    }
    QCOMPARE(shownText(*wireless, QStringLiteral("Remembered")), QStringLiteral("已记住 2 个地址"));
    t.clearRecords();
    click<N_Shape>(*wireless, QStringLiteral("ReconnectAll"));
    QCOMPARE(t.fakes().processes.lines(),
             (QStringList{QStringLiteral("cmd /c adb connect 10.0.0.3:5555"),
                          QStringLiteral("cmd /c adb connect 10.0.0.2:5555")}));
    t.fakes().processes.hiddenRunEnds.at(0)({0, {}, false});
    t.fakes().processes.hiddenRunEnds.at(1)({1, "failed to connect", false});
    QCOMPARE(shownText(*wireless, QStringLiteral("Remembered")),
             QStringLiteral("重新连接：1 成功，1 失败"));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
