// A touch run through the phone's open shell, against the simulated server: the taps reach the
// phone over one connection with nothing started on this computer, at most four run there at once
// and the rest are counted, the run is journaled once, and a phone that leaves stops the run.
#include "devices/adb_device_tracker.h"
#include "devices/adb_shell_client.h"
#include "input/touchsimu.h"
#include "journal/journal.h"
#include "support/driving.h"
#include "support/simulated_adb_server.h"
#include "support/test_app.h"
#include "widgets/n_shape.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;

namespace {

constexpr int kTaps = 12;

// The touch window of a program whose device row follows a simulated server with one phone, with
// a shell client to it and a journal.
struct Phone {
    Phone()
        : t(false) {
        QVERIFY(server.listen());
        server.features = {QStringLiteral("shell_v2")};
        server.setDevices(
            {{QStringLiteral("R58M1"), QStringLiteral("device"), QStringLiteral("Pixel 7")}});
        tracker = std::make_unique<AdbDeviceTracker>(server.port());
        client = std::make_unique<AdbShellClient>(server.port(), ShellLimits{});
        t.app().setDeviceWatch(tracker.get());
        t.app().setJournal(&journal);
        QVERIFY(t.app().mainWindow() != nullptr);
        QTRY_COMPARE(tracker->snapshot().devices.size(), std::size_t{1});
        t.app().setShellClient(client.get());
        window = t.app().open<touchsimu>();
        for (const auto& [box, text] : {std::pair{"X1", "540"},
                                        {"Y1", "1200"},
                                        {"DURA", "1"},
                                        {"Textdely", "80"},
                                        {"Textcishu", "12"}}) {
            control<QLineEdit>(*window, QString::fromLatin1(box))
                ->setText(QString::fromLatin1(text));
        }
        t.clearRecords();
    }
    int taps() const {
        return static_cast<int>(std::count_if(
            server.shellCommands.cbegin(), server.shellCommands.cend(), [](const Received& r) {
                return r.text.startsWith(u"input swipe 540 1200 540 1200 1");
            }));
    }
    QList<journal::Entry> entries() { return journal.read(QStringLiteral("R58M1")).entries; }

    SimulatedAdbServer server;
    TestApp t;
    std::unique_ptr<AdbDeviceTracker> tracker;
    std::unique_ptr<AdbShellClient> client;
    journal::Journal journal{t.app(), t.folder() + QStringLiteral("/journal")};
    touchsimu* window = nullptr;
};

} // namespace

class TapSessionTest : public QObject {
    Q_OBJECT

private slots:
    void tapsGoThroughOneShellAndTheRunIsJournaledOnce();
    void aBusyPhoneSkipsTapsAndTheWindowSaysHowMany();
    void aPhoneThatLeavesStopsTheRun();
};

void TapSessionTest::tapsGoThroughOneShellAndTheRunIsJournaledOnce() {
    Phone p;
    click<N_Shape>(*p.window, QStringLiteral("SWIPEGO"));
    QTRY_COMPARE_WITH_TIMEOUT(p.taps(), kTaps, 10'000);
    QVERIFY(p.t.started().isEmpty()); // no process per tap
    QCOMPARE(p.server.requests.count(QStringLiteral("lines:R58M1")), 1);
    QTRY_COMPARE(p.entries().size(), 1);
    QCOMPARE(p.entries().at(0).exitCode, 0);
    QCOMPARE(p.entries().at(0).output, QStringLiteral("已发送 12 次，跳过 0 次（手机来不及）"));
    QVERIFY(shownText(*p.window, QStringLiteral("Labelskipped")).isEmpty());
}

void TapSessionTest::aBusyPhoneSkipsTapsAndTheWindowSaysHowMany() {
    Phone p;
    p.server.lineDelayMs = 600;
    click<N_Shape>(*p.window, QStringLiteral("SWIPEGO"));
    QTRY_VERIFY_WITH_TIMEOUT(p.entries().size() == 1 && p.entries().at(0).exitCode, 10'000);
    QVERIFY(p.server.mostRunning <= 4);
    const int skipped = kTaps - p.taps();
    QVERIFY(skipped > 0);
    QCOMPARE(shownText(*p.window, QStringLiteral("Labelskipped")),
             QStringLiteral("跳过 %1 次（手机来不及）").arg(skipped));
}

void TapSessionTest::aPhoneThatLeavesStopsTheRun() {
    Phone p;
    control<QLineEdit>(*p.window, QStringLiteral("Textcishu"))->setText(QStringLiteral("9999"));
    click<N_Shape>(*p.window, QStringLiteral("SWIPEGO"));
    QTRY_VERIFY_WITH_TIMEOUT(p.taps() >= 2, 10'000);
    p.server.setDevices({});
    QTRY_COMPARE_WITH_TIMEOUT(p.t.messages().size(), 1, 10'000);
    QVERIFY(p.t.messages().at(0).text.startsWith(QStringLiteral("R58M1：")));
    QCOMPARE(p.entries().at(0).exitCode, 1);
    const int taps = p.taps();
    QTest::qWait(300);
    QCOMPARE(p.taps(), taps);
}

QTEST_MAIN(TapSessionTest)
#include "tap_session_test.moc"
