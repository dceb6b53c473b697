// The apps window's list of the phone's packages with 800 packages, read from the simulated adb
// server: the time from a typed letter in the filter box to the list filtered and painted, and
// the heap the 800 packages take above the same windows without them (glibc's count of the bytes
// in use, after the list was painted).
#include "apps/phone_apps.h"
#include "apps/software.h"
#include "devices/adb_shell_client.h"
#include "inert_services.h"
#include "support/simulated_adb_server.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPackages = 800;
constexpr double kLetterGoalMs = 16;
constexpr double kHeapGoalMiB = 2;
const QString kSerial = QStringLiteral("R58M1");
// What a user types to find a package, letter by letter.
const QStringList kQueries = {QStringLiteral("com.vendor12"), QStringLiteral("component7"),
                              QStringLiteral("APP.COMPONENT49"), QStringLiteral("vendor3.app"),
                              QStringLiteral("zzz")};

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

// Lets the window catch up and paints the list as the screen would.
void paint(QTreeView& view) {
    QApplication::processEvents();
    view.grab();
}

bool waitForRows(QTreeView& view, int rows) {
    QElapsedTimer clock;
    clock.start();
    while (view.model()->rowCount() != rows && clock.elapsed() < 10'000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return view.model()->rowCount() == rows;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    kavu::test::SimulatedAdbServer server;
    if (!server.listen()) {
        std::fprintf(stderr, "cannot listen on the loopback\n");
        return 1;
    }
    server.setDevices({{kSerial, QStringLiteral("device"), {}}});
    server.features = {QStringLiteral("shell_v2"), QStringLiteral("cmd")};
    for (int i = 0; i < kPackages; ++i) {
        server.phone.packages.append(
            {QStringLiteral("com.vendor%1.app.component%2").arg(i % 37).arg(i), i % 2 == 0,
             i % 9 == 0, i % 13 == 0});
    }
    kavu::bench::InertWorld world;
    kavu::AdbShellClient client(server.port(), {});
    world.app().setShellClient(&client);
    kavu::Software window(world.app());
    window.show();

    // The list opened with no device chosen: the windows without the packages.
    auto* link = window.findChild<QLabel*>(QStringLiteral("Labelreadapps"));
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    auto* list = window.findChild<kavu::PhoneApps*>();
    auto* view = list ? list->findChild<QTreeView*>(QStringLiteral("packages")) : nullptr;
    auto* filter = list ? list->findChild<QLineEdit*>(QStringLiteral("filter")) : nullptr;
    auto* refresh = list ? list->findChild<QLabel*>(QStringLiteral("refresh")) : nullptr;
    if (!view || !filter || !refresh) {
        std::fprintf(stderr, "the list window is not there\n");
        return 1;
    }
    paint(*view);
    window.grab();
    const std::size_t without = heapInUse();

    world.app().devices().chooseOne(kSerial);
    QTest::mouseClick(refresh, Qt::LeftButton, {}, refresh->rect().center());
    if (!waitForRows(*view, kPackages)) {
        std::fprintf(stderr, "the list does not show %d packages\n", kPackages);
        return 1;
    }
    paint(*view);
    window.grab();
    const std::size_t with = heapInUse();

    std::vector<double> letterMs;
    for (const QString& query : kQueries) {
        for (const QChar letter : query) {
            QElapsedTimer clock;
            clock.start();
            QTest::keyClick(filter, letter.toLatin1());
            paint(*view);
            letterMs.push_back(clock.nsecsElapsed() / 1e6);
        }
        filter->clear();
        paint(*view);
    }
    std::sort(letterMs.begin(), letterMs.end());

    // The list open and idle: nothing polls the phone.
    constexpr int kIdleMs = 3000;
    const double cpuBefore = kavu::bench::cpuMs();
    QTimer::singleShot(kIdleMs, &application, &QCoreApplication::quit);
    QApplication::exec();
    const double idlePercent = 100.0 * (kavu::bench::cpuMs() - cpuBefore) / kIdleMs;

    const double median = letterMs[letterMs.size() / 2];
    const double worst = letterMs.back();
    const double heapMiB = (static_cast<double>(with) - static_cast<double>(without)) / (1 << 20);
    std::printf("package list, %d packages read from the simulated adb server\n", kPackages);
    std::printf("  a typed letter, filtered and painted (%zu letters): median %.3f ms, worst %.3f "
                "ms (goal <= %.0f ms)\n",
                letterMs.size(), median, worst, kLetterGoalMs);
    std::printf("  idle CPU with the list open, %% of a core: %.3f (over %d ms, goal <= 1)\n",
                idlePercent, kIdleMs);
    if (without == 0) {
        // AddressSanitizer keeps its own heap, which glibc does not count.
        std::printf("  heap: not counted in this build\n");
        return worst <= kLetterGoalMs ? 0 : 2;
    }
    std::printf("  heap above the windows without the packages: %.3f MiB (goal <= %.0f MiB)\n",
                heapMiB, kHeapGoalMiB);
    return worst <= kLetterGoalMs && heapMiB <= kHeapGoalMiB ? 0 : 2;
}
