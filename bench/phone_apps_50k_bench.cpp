// The package list of a phone with 50,000 packages, read from the simulated adb server through the
// program's windows: the list shown after the phone's reply (from the server answering the one
// request for the four listings to the list painted, so the loopback transfer and the shell
// client's reading of that answer count too), a typed letter of the text filter and a click on a
// state filter, each until the list is painted again, with no selection and with 1,000 packages
// selected as a word begins or before a click (the selection is kept across the filters). Each
// iteration's time is taken on its own; the worst is a counter beside the goal.
//
// Each iteration also times, in turns with it, the least a program could do for the same rows: a
// bare socket that asks the same server for the one listing that names every package and reads it
// to the end, and a line edit and five state buttons over a plain list view of the names, sorted
// (a state button refills it, a filter proxy hides the rows whose name does not hold the typed
// text; filled with the packages' states for the filters, its selection picked as the list's).
// The counters and the lines printed at the end give the medians of both and of each pair's ratio.
#include "apps/phone_apps.h"
#include "apps/software.h"
#include "bare_package_list.h"
#include "devices/adb_shell_client.h"
#include "in_turns.h"
#include "inert_services.h"
#include "support/simulated_adb_server.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTcpSocket>
#include <QTest>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

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
// The bare list's button for each of those.
constexpr std::array<std::size_t, 5> kBareStateButtons = {1, 2, 3, 4, 0};
const QByteArray kBareListing = QByteArrayLiteral("pm list packages -u");

// An adb host request: its length in four hex digits, then the service.
QByteArray request(const QByteArray& service) {
    return QByteArray::number(service.size(), 16).rightJustified(4, '0') + service;
}

// The phone's listing of every package through a bare socket, the adb host protocol written by
// hand: a transport request, then a plain shell request whose answer runs until the server
// closes. Empty on an error.
QByteArray bareListing(quint16 port, const QString& serial) {
    QTcpSocket socket;
    QByteArray answer;
    int okays = 0;
    bool failed = false;
    bool closed = false;
    const auto take = [&] {
        answer += socket.readAll();
        while (okays < 2 && !failed && answer.size() >= 4) {
            failed = !answer.startsWith("OKAY");
            answer.remove(0, 4);
            if (++okays == 1) {
                socket.write(request("shell:" + kBareListing));
            }
        }
    };
    QObject::connect(&socket, &QTcpSocket::connected, &socket,
                     [&] { socket.write(request("host:transport:" + serial.toLatin1())); });
    QObject::connect(&socket, &QTcpSocket::readyRead, &socket, take);
    QObject::connect(&socket, &QTcpSocket::disconnected, &socket, [&] {
        take();
        closed = true;
    });
    socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    bench::waitUntil([&] { return closed || failed; }, 30'000);
    return closed && !failed && okays == 2 ? answer : QByteArray();
}

// Selects every fiftieth shown row, as a user's picks spread over the list.
void selectSpread(QAbstractItemView& view, int count) {
    QAbstractItemModel& model = *view.model();
    QItemSelection selection;
    for (int row = 0, picked = 0; picked < count && row < model.rowCount(); row += 50, ++picked) {
        selection.select(model.index(row, 0), model.index(row, model.columnCount() - 1));
    }
    view.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

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
        bare.view.setFixedSize(view->size());
        bare.show();
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

    // The baseline of read(): the one listing read through a bare socket, its names shown in the
    // bare list; the time from the server's answer to the list painted, in seconds; negative when
    // the list did not show every package.
    double bareRead() {
        QElapsedTimer sinceReply;
        const QMetaObject::Connection counting =
            QObject::connect(&server, &test::SimulatedAdbServer::received, &server, [&] {
                if (!server.shellCommands.isEmpty() &&
                    server.shellCommands.constLast().text == QLatin1String(kBareListing)) {
                    sinceReply.start();
                }
            });
        server.shellCommands.clear();
        const QByteArray listing = bareListing(server.port(), kSerials[0]);
        std::vector<bench::BarePackage> packages;
        for (const QByteArray& line : listing.split('\n')) {
            if (line.startsWith("package:")) {
                // The listing does not say the states: every button lists the package.
                packages.push_back({QString::fromLatin1(line.mid(8)), ~0U});
            }
        }
        bare.setPackages(std::move(packages));
        bare.view.grab();
        const double seconds = sinceReply.isValid() ? sinceReply.nsecsElapsed() / 1e9 : -1;
        QObject::disconnect(counting);
        return bare.rows() == kPackages ? seconds : -1;
    }

    // Fills the bare list with the phone's packages and their states as the list tells them
    // apart, for the filters.
    void fillBare() {
        std::vector<bench::BarePackage> packages;
        for (const test::SimulatedPackage& package : std::as_const(server.phone.packages)) {
            using State = bench::BarePackage::State;
            // A package removed for the user is listed as that alone.
            const unsigned state = package.uninstalledForUser
                                       ? State::Uninstalled
                                       : (package.disabled ? State::Disabled : 0U);
            packages.push_back(
                {package.name, (package.system ? State::System : State::ThirdParty) | state});
        }
        bare.buttons[0]->setChecked(true);
        bare.filter.clear();
        bare.setPackages(std::move(packages));
    }

    // Lets the background reads of the disabled packages' states end.
    void settle() {
        qsizetype heard = -1;
        while (heard != server.shellCommands.size()) {
            heard = server.shellCommands.size();
            QTest::qWait(300);
        }
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
    bench::BarePackageList bare;
    bool ready = false;
    // Each benchmark's pairs, for the lines printed at the end, and whether one failed.
    std::map<std::string, bench::Turns> turns;
    bool failed = false;

    // Whether the whole list is shown, as the filters' benchmarks need it.
    bool listed() const { return pages->currentIndex() == 0 && view->model()->rowCount() > 0; }
};

void report(benchmark::State& state, const bench::Turns& turns, double goalMs) {
    state.counters["worst_ms"] = turns.worst() * 1e3;
    state.counters["goal_ms"] = goalMs;
    state.counters["baseline_ms"] = bench::median(turns.baseline) * 1e3;
    state.counters["ratio"] = bench::median(turns.ratios);
}

// Fails the benchmark: it measured something else than it says.
void fail(benchmark::State& state, BigPhone& phone, const char* why) {
    state.SkipWithError(why);
    phone.failed = true;
}

void listShownAfterTheReply(benchmark::State& state, BigPhone& phone, const std::string& name) {
    bench::Turns& turns = phone.turns[name];
    int turn = 0;
    for (auto _ : state) {
        const bool taken = turns.take(
            [&] {
                // Another phone each time: the whole list is made anew, not only its states.
                const double seconds = phone.read(kSerials[turn++ % 2]);
                phone.settle();
                return seconds;
            },
            [&] { return phone.bareRead(); });
        if (!taken) {
            fail(state, phone, "a list did not show");
            return;
        }
        state.SetIterationTime(turns.subject.back());
    }
    report(state, turns, kShownGoalMs);
}

// The seconds an action takes to be painted in a list: the action, then the list drawn.
template <class Action> double paintedAfter(Action action, QAbstractItemView& view) {
    QElapsedTimer clock;
    clock.start();
    action();
    view.viewport()->grab();
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

void filterKeystroke(benchmark::State& state, BigPhone& phone, const std::string& name) {
    const int selected = static_cast<int>(state.range(0));
    phone.filter->clear();
    if (!phone.listed() || phone.view->model()->rowCount() != kPackages) {
        fail(state, phone, "the list is not shown");
        return;
    }
    phone.fillBare();
    selectSpread(*phone.view, selected);
    selectSpread(phone.bare.view, selected);
    bench::Turns& turns = phone.turns[name];
    qsizetype query = 0;
    qsizetype letter = 0;
    for (auto _ : state) {
        const char key = kQueries[query][letter].toLatin1();
        const bool taken = turns.take(
            [&] { return paintedAfter([&] { QTest::keyClick(phone.filter, key); }, *phone.view); },
            [&] {
                return paintedAfter([&] { QTest::keyClick(&phone.bare.filter, key); },
                                    phone.bare.view);
            });
        // Both show the same rows, or one of them filtered wrong.
        if (!taken || phone.view->model()->rowCount() != phone.bare.rows()) {
            fail(state, phone, "the list and the bare list show different rows");
            return;
        }
        state.SetIterationTime(turns.subject.back());
        if (++letter == kQueries[query].size()) {
            letter = 0;
            query = (query + 1) % kQueries.size();
            phone.filter->clear();
            phone.bare.filter.clear();
            selectSpread(*phone.view, selected);
            selectSpread(phone.bare.view, selected);
        }
    }
    phone.filter->clear();
    phone.bare.filter.clear();
    report(state, turns, kFilterGoalMs);
}

void stateFilterClick(benchmark::State& state, BigPhone& phone, const std::string& name) {
    const int selected = static_cast<int>(state.range(0));
    phone.filter->clear();
    if (!phone.listed() || phone.view->model()->rowCount() != kPackages) {
        fail(state, phone, "the list is not shown");
        return;
    }
    phone.fillBare();
    bench::Turns& turns = phone.turns[name];
    qsizetype next = 0;
    for (auto _ : state) {
        selectSpread(*phone.view, selected);
        selectSpread(phone.bare.view, selected);
        auto* button = phone.list->findChild<QRadioButton*>(kStateFilters[next]);
        QRadioButton* bareButton = phone.bare.buttons[kBareStateButtons[next]];
        next = (next + 1) % kStateFilters.size();
        const bool taken = turns.take(
            [&] {
                return paintedAfter(
                    [&] { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); },
                    *phone.view);
            },
            [&] {
                return paintedAfter(
                    [&] {
                        QTest::mouseClick(bareButton, Qt::LeftButton, {},
                                          bareButton->rect().center());
                    },
                    phone.bare.view);
            });
        if (!taken || phone.view->model()->rowCount() != phone.bare.rows()) {
            fail(state, phone, "the list and the bare list show different rows");
            return;
        }
        state.SetIterationTime(turns.subject.back());
    }
    report(state, turns, kFilterGoalMs);
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
    // Each under the name the framework prints, for the lines at the end.
    const std::vector<std::string> names = {"listShownAfterTheReply", "filterKeystroke/0",
                                            "filterKeystroke/1000", "stateFilterClick/0",
                                            "stateFilterClick/1000"};
    benchmark::RegisterBenchmark("listShownAfterTheReply", listShownAfterTheReply, std::ref(phone),
                                 names[0])
        ->UseManualTime()
        ->Iterations(6)
        ->Unit(benchmark::kMillisecond);
    for (const int selected : {0, 1000}) {
        benchmark::RegisterBenchmark("filterKeystroke", filterKeystroke, std::ref(phone),
                                     "filterKeystroke/" + std::to_string(selected))
            ->Arg(selected)
            ->UseManualTime()
            ->Iterations(60)
            ->Unit(benchmark::kMillisecond);
    }
    for (const int selected : {0, 1000}) {
        benchmark::RegisterBenchmark("stateFilterClick", stateFilterClick, std::ref(phone),
                                     "stateFilterClick/" + std::to_string(selected))
            ->Arg(selected)
            ->UseManualTime()
            ->Iterations(40)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench::printTurnsHeading(
        "50,000 packages against a bare socket and a bare list view of the names, in turns", "ms");
    for (const std::string& name : names) {
        if (const auto found = phone.turns.find(name); found != phone.turns.end()) {
            bench::printTurns(name.c_str(), found->second, 1e3);
        }
    }
    return phone.failed ? 1 : 0;
}
