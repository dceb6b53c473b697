// The phone's snapshot against the simulated server: a phone chosen while it is not yet ready is
// read once it is, so that its changes can be taken back.
#include "devices/adb_device_tracker.h"
#include "devices/adb_shell_client.h"
#include "journal/journal.h"
#include "statusbar/status_commands.h"
#include "support/simulated_adb_server.h"
#include "support/test_app.h"

#include <QtTest>

using namespace kavu;
using namespace kavu::test;

class SnapshotTest : public QObject {
    Q_OBJECT

private slots:
    void aPhoneChosenBeforeItIsReadyIsReadOnceItIs();
};

void SnapshotTest::aPhoneChosenBeforeItIsReadyIsReadOnceItIs() {
    SimulatedAdbServer server;
    QVERIFY(server.listen());
    server.features = {QStringLiteral("shell_v2")};
    server.phone.settings.insert(QStringLiteral("secure/sysui_qqs_count"), QStringLiteral("4"));
    const auto phone = [](const char* state) {
        return SimulatedDevice{QStringLiteral("R58M1"), QString::fromLatin1(state),
                               QStringLiteral("Pixel 7")};
    };
    server.setDevices({phone("unauthorized")});
    TestApp t(false);
    AdbDeviceTracker tracker(server.port());
    AdbShellClient client(server.port(), ShellLimits{});
    journal::Journal journal(t.app(), t.folder() + QStringLiteral("/journal"));
    journal.setDeclaredChanges(statusbar::changingCommands());
    t.app().setShellClient(&client);
    t.app().setDeviceWatch(&tracker);
    t.app().setJournal(&journal);
    QVERIFY(t.app().mainWindow() != nullptr);
    QSignalSpy reads(&journal, &journal::Journal::snapshotRead);
    QTRY_COMPARE(t.app().devices().serial(), std::optional<QString>(QStringLiteral("R58M1")));
    QTRY_VERIFY(reads.count() >= 1); // refused: the phone has not allowed this computer yet

    server.setDevices({phone("device")});
    QTRY_VERIFY_WITH_TIMEOUT(reads.count() >= 2, 10'000);
    t.app().console().run(statusbar::quickSettingsCountCommand(QStringLiteral("6")),
                          launch::kHidden);
    const QList<journal::Entry> entries = journal.read(QStringLiteral("R58M1")).entries;
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.at(0).reversal.state, journal::Reversal::State::Reversible);
    QCOMPARE(entries.at(0).reversal.restores, QStringLiteral("4"));
}

QTEST_MAIN(SnapshotTest)
#include "snapshot_test.moc"
