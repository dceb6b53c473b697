// The device row against a simulated adb server, in one process on the offscreen platform: the
// time from a change of the server's device list to the main window painting the new list, in
// turns with a baseline (a bare combo box's entry set to the same text, until it is painted), and
// the processor time the program takes while idle with the tracker connected, with its main window
// shown and minimized.
#include "app/app.h"
#include "devices/adb_device_tracker.h"
#include "inert_services.h"
#include "shell/form1.h"
#include "support/simulated_adb_server.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Notes when the watched control paints while showing the text waited for.
class PaintClock final : public QObject {
public:
    PaintClock(QComboBox& list)
        : m_list(list) {
        m_list.installEventFilter(this);
    }
    void expect(const QString& text) {
        m_expected = text;
        m_painted = false;
        m_clock.start();
    }
    bool painted() const { return m_painted; }
    double elapsedMs() const { return m_elapsedNs / 1e6; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_list && event->type() == QEvent::Paint && !m_painted &&
            m_list.currentText() == m_expected) {
            m_painted = true;
            m_elapsedNs = m_clock.nsecsElapsed();
        }
        return false;
    }

private:
    QComboBox& m_list;
    QString m_expected;
    QElapsedTimer m_clock;
    bool m_painted = false;
    qint64 m_elapsedNs = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    kavu::bench::InertWorld world;
    if (!world.ready()) {
        return 1;
    }

    kavu::test::SimulatedAdbServer server;
    if (!server.listen()) {
        std::fprintf(stderr, "cannot listen on the loopback\n");
        return 1;
    }
    // No model, so that the entry reads the same before and after the model query.
    const kavu::test::SimulatedDevice first{QStringLiteral("R58M1"), QStringLiteral("device"), {}};
    server.setDevices({first});
    kavu::AdbDeviceTracker tracker(server.port());
    kavu::App& app = world.app();
    app.setDeviceWatch(&tracker);
    kavu::Form1* main = kavu::form1(app);
    auto* list = main->findChild<QComboBox*>(QStringLiteral("Combodev"));
    if (list == nullptr || !kavu::bench::waitUntil([&] { return list->count() == 1; }, 5000)) {
        std::fprintf(stderr, "the main window never showed the device\n");
        return 1;
    }

    PaintClock clock(*list);
    QComboBox bare;
    bare.addItem(first.serial);
    bare.resize(list->size());
    bare.show();
    PaintClock bareClock(bare);
    std::vector<double> latencies;
    std::vector<double> bareLatencies;
    constexpr int kChanges = 101;
    const QString away = first.serial + QStringLiteral("（已断开）");
    for (int i = 0; i < kChanges; ++i) {
        // Alternately no device (the chosen one shown as away) and the chosen one back.
        const bool back = i % 2 == 1;
        clock.expect(back ? first.serial : away);
        server.setDevices(back ? QList{first} : QList<kavu::test::SimulatedDevice>{});
        if (!kavu::bench::waitUntil([&] { return clock.painted(); }, 2000)) {
            std::fprintf(stderr, "change %d never reached the screen\n", i);
            return 1;
        }
        latencies.push_back(clock.elapsedMs());
        // Let the model query of this change finish before the next one.
        kavu::bench::settle(20);
        bareClock.expect(back ? first.serial : away);
        bare.setItemText(0, back ? first.serial : away);
        if (!kavu::bench::waitUntil([&] { return bareClock.painted(); }, 2000)) {
            std::fprintf(stderr, "the bare list never painted\n");
            return 1;
        }
        bareLatencies.push_back(bareClock.elapsedMs());
        kavu::bench::settle(20);
    }
    std::sort(latencies.begin(), latencies.end());
    std::sort(bareLatencies.begin(), bareLatencies.end());

    constexpr int kIdleMs = 5000;
    // A loop of its own: the application's would end, and close the windows, when it quits.
    const auto idle = [] {
        const double before = kavu::bench::cpuMs();
        QEventLoop loop;
        QTimer::singleShot(kIdleMs, &loop, &QEventLoop::quit);
        loop.exec();
        return 100.0 * (kavu::bench::cpuMs() - before) / kIdleMs;
    };
    const double idlePercent = idle();
    // Minimized, the window's scrolling notice stops: what is left is the tracker's share.
    main->showMinimized();
    const double trackerPercent = idle();

    const double median = latencies[latencies.size() / 2];
    const double bareMedian = bareLatencies[bareLatencies.size() / 2];
    std::printf("list change to painted, ms: median %.2f, 90th percentile %.2f, max %.2f (%d "
                "changes); a bare combo box's entry set and painted, in turns: median %.2f; "
                "%.2fx\n",
                median, latencies[latencies.size() * 9 / 10], latencies.back(), kChanges,
                bareMedian, median / bareMedian);
    std::printf("idle CPU with the tracker connected, %% of a core: %.3f with the window shown "
                "(its scrolling notice), %.3f with it minimized (the tracker alone); over %d ms "
                "each, %d tracking connection\n",
                idlePercent, trackerPercent, kIdleMs, server.trackers());
    return 0;
}
