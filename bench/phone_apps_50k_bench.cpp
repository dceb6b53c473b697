// The package list of a phone with 50,000 packages, read from the simulated adb server through the
// program's windows: the list shown after the phone's reply (from the server answering the one
// request for the four listings to the list painted, so the loopback transfer and the shell
// client's reading of that answer count too), a typed letter of the text filter and a click on a
// state filter, each until the list is painted again, with no selection and with 1,000 packages
// selected as a word begins or before a click (the selection is kept across the filters). Each
// iteration's time is taken on its own; the worst is a counter beside the goal.
#include "apps/phone_apps.h"
#include "apps/software.h"
#include "devices/adb_shell_client.h"
#include "inert_services.h"
#include "support/simulated_adb_server.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

using namespace kavu;

constexpr int kPackages = 50'000;
constexpr double kShownGoalMs = 300;
constexpr double kFilterGoalMs = 30;
const QStringList kSerials = {QStringLiteral("R58M1"), QStringLiteral("R58M2")};
// What a user types to find a package, letter by letter.
const QStringList kQueries = {QStringLiteral("com.vendor12"), QStringLiteral("component7"),
                              QStringLiteral("APP.COMPONENT49"), QStringLiteral("vendor3.app"),
                              QStringLiteral("zzz")};
const QStringList kStateFilters = {
    QStringLiteral("systemPackages"), QStringLiteral("thirdPartyPackages"),
    QStringLiteral("disabledPackages"), QStringLiteral("uninstalledPackages"),
    QStringLiteral("allPackages")};

// The program's apps window and its package list against a simulated server whose two phones
// each list kPackages packages: one in three a system package, one in fifty disabled, one in
// seventy removed for the user.
struct BigPhone {
    BigPhone() {
        ready = server.listen();
        server.setDevices({{kSerials[0], QStringLiteral("device"), {}},
                           {kSerials[1], QStringLiteral("device"), {}}});
        server.features = {QStringLiteral("shell_v2"), QStringLiteral("cmd")};
        for (int i = 0; i < kPackages; ++i) {
            server.phone.packages.append(
                {QStringLiteral("com.vendor%1.app.component%2").arg(i % 37).arg(i), i % 3 == 0,
                 i % 50 == 0, i % 70 == 0});
        }
        client = std::make_unique<AdbShellClient>(server.port(), ShellLimits{});
        world.app().setShellClient(client.get());
        window = std::make_unique<Software>(world.app());
        window->show();
        auto* link = window->findChild<QLabel*>(QStringLiteral("Labelreadapps"));
        QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
        list = window->findChild<PhoneApps*>();
        view = list->findChild<QTreeView*>(QStringLiteral("packages"));
        filter = list->findChild<QLineEdit*>(QStringLiteral("filter"));
        refresh = list->findChild<QLabel*>(QStringLiteral("refresh"));
        pages = list->findChild<QStackedWidget*>(QStringLiteral("pages"));
    }

    // Reads the phone with this serial; the time from the server's answer to the last listing to
    // the list painted, in seconds; negative when the list did not show.
    double read(const QString& serial) {
        world.app().devices().chooseOne(serial);
        QElapsedTimer sinceReply;
        const QMetaObject::Connection counting =
            QObject::connect(&server, &test::SimulatedAdbServer::received, [&] {
                if (!server.shellCommands.isEmpty() &&
                    server.shellCommands.constLast().text.startsWith(u"pm list packages")) {
                    sinceReply.start();
                }
            });
        server.shellCommands.clear();
        QTest::mouseClick(refresh, Qt::LeftButton, {}, refresh->rect().center());
        const bool shown = bench::waitUntil(
            [this] { return pages->currentIndex() == 0 && view->model()->rowCount() == kPackages; },
            30'000);
        view->grab();
        const double seconds = sinceReply.isValid() ? sinceReply.nsecsElapsed() / 1e9 : -1;
        QObject::disconnect(counting);
        return shown ? seconds : -1;
    }

    // Lets the background reads of the disabled packages' states end.
    void settle() {
        qsizetype heard = -1;
        while (heard != server.shellCommands.size()) {
            heard = server.shellCommands.size();
            QTest::qWait(300);
        }
    }

    // Selects every fiftieth shown row, as a user's picks spread over the list.
    void selectSpread(int count) {
        QItemSelection selection;
        for (int row = 0, picked = 0; picked < count && row < view->model()->rowCount();
             row += 50, ++picked) {
            selection.select(view->model()->index(row, 0), view->model()->index(row, 2));
        }
        view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }

    bench::InertWorld world;
    test::SimulatedAdbServer server;
    std::unique_ptr<AdbShellClient> client;
    std::unique_ptr<Software> window;
    PhoneApps* list = nullptr;
    QTreeView* view = nullptr;
    QLineEdit* filter = nullptr;
    QLabel* refresh = nullptr;
    QStackedWidget* pages = nullptr;
    bool ready = false;

    // Whether the whole list is shown, as the filters' benchmarks need it.
    bool listed() const { return pages->currentIndex() == 0 && view->model()->rowCount() > 0; }
};

void reportWorst(benchmark::State& state, double worstSeconds, double goalMs) {
    state.counters["worst_ms"] = worstSeconds * 1e3;
    state.counters["goal_ms"] = goalMs;
}

void listShownAfterTheReply(benchmark::State& state, BigPhone& phone) {
    double worst = 0;
    int turn = 0;
    for (auto _ : state) {
        // Another phone each time: the whole list is made anew, not only its states.
        const double seconds = phone.read(kSerials[turn++ % 2]);
        if (seconds < 0) {
            state.SkipWithError("the list did not show");
            return;
        }
        state.SetIterationTime(seconds);
        worst = std::max(worst, seconds);
        phone.settle();
    }
    reportWorst(state, worst, kShownGoalMs);
}

void filterKeystroke(benchmark::State& state, BigPhone& phone) {
    const int selected = static_cast<int>(state.range(0));
    phone.filter->clear();
    if (!phone.listed() || phone.view->model()->rowCount() != kPackages) {
        state.SkipWithError("the list is not shown");
        return;
    }
    phone.selectSpread(selected);
    double worst = 0;
    qsizetype query = 0;
    qsizetype letter = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(phone.filter, kQueries[query][letter].toLatin1());
        phone.view->viewport()->grab();
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        worst = std::max(worst, seconds);
        if (++letter == kQueries[query].size()) {
            letter = 0;
            query = (query + 1) % kQueries.size();
            phone.filter->clear();
            phone.selectSpread(selected);
        }
    }
    phone.filter->clear();
    reportWorst(state, worst, kFilterGoalMs);
}

void stateFilterClick(benchmark::State& state, BigPhone& phone) {
    phone.filter->clear();
    if (!phone.listed() || phone.view->model()->rowCount() != kPackages) {
        state.SkipWithError("the list is not shown");
        return;
    }
    double worst = 0;
    qsizetype next = 0;
    for (auto _ : state) {
        phone.selectSpread(static_cast<int>(state.range(0)));
        auto* button = phone.list->findChild<QRadioButton*>(kStateFilters[next]);
        next = (next + 1) % kStateFilters.size();
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        phone.view->viewport()->grab();
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        worst = std::max(worst, seconds);
    }
    reportWorst(state, worst, kFilterGoalMs);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    BigPhone phone;
    if (!phone.ready) {
        std::fprintf(stderr, "cannot listen on the loopback\n");
        return 1;
    }
    benchmark::RegisterBenchmark("listShownAfterTheReply", listShownAfterTheReply, std::ref(phone))
        ->UseManualTime()
        ->Iterations(6)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("filterKeystroke", filterKeystroke, std::ref(phone))
        ->Arg(0)
        ->Arg(1000)
        ->UseManualTime()
        ->Iterations(60)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("stateFilterClick", stateFilterClick, std::ref(phone))
        ->Arg(0)
        ->Arg(1000)
        ->UseManualTime()
        ->Iterations(40)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
