// The device row against a simulated adb server, in one process on the offscreen platform: the
// time from a change of the server's device list to the main window painting the new list, and
// the processor time the program takes while idle with the tracker connected, with its main window
// shown and minimized. Each change is timed in turns with the least a program could do to show
// it: a bare combo box's entry set to the same text, until it is painted.
#include "app/app.h"
#include "devices/adb_device_tracker.h"
#include "in_turns.h"
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
#include <functional>
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
    kavu::bench::Turns changes;
    constexpr int kChanges = 101;
    const QString away = first.serial + QStringLiteral("（已断开）");
    // The milliseconds from the change until the control paints the text, negative when it never
    // does.
    const auto painted = [](PaintClock& watch, const QString& shown,
                            const std::function<void()>& change) {
        watch.expect(shown);
        change();
        if (!kavu::bench::waitUntil([&] { return watch.painted(); }, 2000)) {
            return -1.0;
        }
        // Let the model query of this change finish before the next one.
        kavu::bench::settle(20);
        return watch.elapsedMs();
    };
    for (int i = 0; i < kChanges; ++i) {
        // Alternately no device (the chosen one shown as away) and the chosen one back.
        const bool back = i % 2 == 1;
        const QString shown = back ? first.serial : away;
        const bool taken = changes.take(
            [&] {
                return painted(clock, shown, [&] {
                    server.setDevices(back ? QList{first} : QList<kavu::test::SimulatedDevice>{});
                });
            },
            [&] { return painted(bareClock, shown, [&] { bare.setItemText(0, shown); }); });
        if (!taken) {
            std::fprintf(stderr, "change %d: the row or the bare list never painted it\n", i);
            return 1;
        }
    }
    std::vector<double> latencies = changes.subject;
    std::sort(latencies.begin(), latencies.end());

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

    std::printf("list change to painted, ms: median %.2f, 90th percentile %.2f, max %.2f (%d "
                "changes)\n",
                latencies[latencies.size() / 2], latencies[latencies.size() * 9 / 10],
                latencies.back(), kChanges);
    std::printf("idle CPU with the tracker connected, %% of a core: %.3f with the window shown "
                "(its scrolling notice), %.3f with it minimized (the tracker alone); over %d ms "
                "each, %d tracking connection\n",
                idlePercent, trackerPercent, kIdleMs, server.trackers());
    kavu::bench::printTurnsHeading("Against a bare combo box's entry set to the same text", "ms");
    kavu::bench::printTurns("list change to the row painted / bare entry set and painted", changes);
    return 0;
}
