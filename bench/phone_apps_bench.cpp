// The apps window's list of the phone's packages with 800 packages, read from the simulated adb
// server: the time from a typed letter in the filter box to the list filtered and painted, and
// the heap the 800 packages take above the same windows without them (glibc's count of the bytes
// in use, after the list was painted). Both beside a baseline, the least a program could do for
// the same rows: a line edit over a plain list view of the 800 names, sorted, behind a filter
// proxy that hides a row unless its name holds the typed text; its letters typed in turns with
// the list's, painted the same way, and its heap counted the same way.
#include "apps/phone_apps.h"
#include "apps/software.h"
#include "bare_package_list.h"
#include "devices/adb_shell_client.h"
#include "in_turns.h"
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
void paint(QAbstractItemView& view) {
    QApplication::processEvents();
    view.grab();
}

// The phone's packages, made anew (no text shared with the server's).
std::vector<kavu::bench::BarePackage> barePackages() {
    std::vector<kavu::bench::BarePackage> packages;
    for (int i = 0; i < kPackages; ++i) {
        packages.push_back(
            {QStringLiteral("com.vendor%1.app.component%2").arg(i % 37).arg(i),
             i % 2 == 0 ? kavu::bench::BarePackage::System : kavu::bench::BarePackage::ThirdParty});
    }
    return packages;
}

using kavu::bench::msSince;

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

    // The bare list, its view as large as the list's; its heap counted as the list's was.
    kavu::bench::Turns letters;
    kavu::bench::Turns heap;
    {
        kavu::bench::BarePackageList bare;
        bare.view.setFixedSize(view->size());
        bare.show();
        paint(bare.view);
        const std::size_t bareWithout = heapInUse();
        bare.setPackages(barePackages());
        paint(bare.view);
        const std::size_t bareWith = heapInUse();
        if (bare.rows() != kPackages) {
            std::fprintf(stderr, "the bare list does not show %d packages\n", kPackages);
            return 1;
        }
        if (without != 0) {
            heap.add((static_cast<double>(with) - static_cast<double>(without)) / (1 << 20),
                     (static_cast<double>(bareWith) - static_cast<double>(bareWithout)) /
                         (1 << 20));
        }

        for (const QString& query : kQueries) {
            for (const QChar letter : query) {
                const bool taken = letters.take(
                    [&] {
                        QElapsedTimer clock;
                        clock.start();
                        QTest::keyClick(filter, letter.toLatin1());
                        paint(*view);
                        return msSince(clock);
                    },
                    [&] {
                        QElapsedTimer clock;
                        clock.start();
                        QTest::keyClick(&bare.filter, letter.toLatin1());
                        paint(bare.view);
                        return msSince(clock);
                    });
                // Both show the same rows, or one of them filtered wrong.
                if (!taken || view->model()->rowCount() != bare.rows()) {
                    std::fprintf(stderr, "after \"%s\" the list shows %d rows, the bare list %d\n",
                                 qPrintable(filter->text()), view->model()->rowCount(),
                                 bare.rows());
                    return 1;
                }
            }
            filter->clear();
            paint(*view);
            bare.filter.clear();
            paint(bare.view);
        }
    }

    // The list open and idle: nothing polls the phone.
    constexpr int kIdleMs = 3000;
    const double cpuBefore = kavu::bench::cpuMs();
    QTimer::singleShot(kIdleMs, &application, &QCoreApplication::quit);
    QApplication::exec();
    const double idlePercent = 100.0 * (kavu::bench::cpuMs() - cpuBefore) / kIdleMs;

    const double median = kavu::bench::median(letters.subject);
    const double worst = letters.worst();
    const double heapMiB = heap.subject.empty() ? 0 : heap.subject.front();
    std::printf("package list, %d packages read from the simulated adb server\n", kPackages);
    std::printf("  a typed letter, filtered and painted (%zu letters): median %.3f ms, worst %.3f "
                "ms (goal <= %.0f ms)\n",
                letters.subject.size(), median, worst, kLetterGoalMs);
    std::printf("  idle CPU with the list open, %% of a core: %.3f (over %d ms, goal <= 1)\n",
                idlePercent, kIdleMs);
    if (heap.subject.empty()) {
        // AddressSanitizer keeps its own heap, which glibc does not count.
        std::printf("  heap: not counted in this build\n");
    } else {
        std::printf("  heap above the windows without the packages: %.3f MiB (goal <= %.0f MiB)\n",
                    heapMiB, kHeapGoalMiB);
    }
    kavu::bench::printTurnsHeading("Against a bare line edit and list view of the same names",
                                   "ms and MiB");
    kavu::bench::printTurns("a typed letter, filtered and painted (in turns), ms", letters);
    if (!heap.subject.empty()) {
        kavu::bench::printTurns("heap the packages take (one count each), MiB", heap);
    }
    return worst <= kLetterGoalMs && heapMiB <= kHeapGoalMiB ? 0 : 2;
}
