#include "app/qt_text.h"
#include "connection/connection_commands.h"
#include "connection/server_dialog.h"
#include "connection/wireless_dialog.h"
#include "devices/adb_device_tracker.h"
#include "support/driving.h"
#include "support/test_app.h"
#include "widgets/option_button.h"

#include <QLabel>
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

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
