// Loading the apps window's file list from a File folder of 10,000 files: the whole window load
// (which lists the folder), the load with the window shown and painted, a refresh through
// "点击此处刷新", and the listing and filling alone. Each is timed in turns with a baseline in the
// same run, the least a program could do for the same list: the folder's "*.apk" names read with a
// bare QDir::entryList, sorted as the window sorts them, into a plain QListWidget (the kind of
// list the window shows), for the shown figure shown and painted at the size of the window's list.
// The iteration's time is the subject's; the counters and the lines printed at the end give the
// medians of both and of each pair's ratio.
#include "app/app.h"
#include "apps/software.h"
#include "in_turns.h"
#include "inert_services.h"
#include "platform/file_list.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kFileCount = 10000;

using namespace kavu::bench;

// A program folder whose File folder holds kFileCount packages, and an App on inert services.
struct Fixture {
    Fixture() {
        QDir(world.folder()).mkdir(QStringLiteral("File"));
        const QDir files(QDir(world.folder()).filePath(QStringLiteral("File")));
        for (int i = 0; i < kFileCount; ++i) {
            QFile file(
                files.filePath(QStringLiteral("package_%1.apk").arg(i, 5, 10, QLatin1Char('0'))));
            file.open(QIODevice::WriteOnly);
        }
    }

    InertWorld world;
    kavu::App& app = world.app();
    // Each benchmark's pairs, over all its runs, for the lines printed at the end.
    std::map<std::string, Turns> turns;
    bool failed = false;
};

bool listsEveryFile(const QListWidget* list) {
    return list != nullptr && list->count() == kFileCount;
}

QListWidget* fileListOf(kavu::Software& window) {
    return window.findChild<QListWidget*>(QStringLiteral("Fileapk"));
}

// The baseline's listing: the names, sorted as the window sorts them.
QStringList bareListing(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.apk")}, QDir::Files,
                                  QDir::Name | QDir::IgnoreCase);
}

double secondsSince(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// The seconds to read names and fill a list with them, the list cleared first; negative when the
// list then does not show every file.
template <class Names> double refilled(QListWidget& list, Names names) {
    QElapsedTimer clock;
    clock.start();
    list.clear();
    list.addItems(names());
    const double seconds = secondsSince(clock);
    return listsEveryFile(&list) ? seconds : -1;
}

// Times subject and baseline in turns, one pair an iteration; each returns its seconds, negative
// when its list does not show every file.
void inTurns(benchmark::State& state, Fixture& fixture, const std::string& name,
             const std::function<double()>& subject, const std::function<double()>& baseline) {
    Turns& turns = fixture.turns[name];
    Turns run;
    for (auto _ : state) {
        if (!run.take(subject, baseline)) {
            state.SkipWithError("a list does not show every file, or was not filled");
            fixture.failed = true;
            break;
        }
        state.SetIterationTime(run.subject.back());
        turns.add(run.subject.back(), run.baseline.back());
    }
    state.counters["baseline_ms"] = median(run.baseline) * 1e3;
    state.counters["ratio"] = median(run.ratios);
}

// The window's load: controls, then the File folder listed with "*.apk"; against a bare list made
// and filled.
void BM_SoftwareWindowLoad(benchmark::State& state, Fixture* fixture, const std::string& name) {
    const QString folder = fixture->app.fileFolder();
    inTurns(
        state, *fixture, name,
        [&] {
            QElapsedTimer clock;
            clock.start();
            kavu::Software window(fixture->app);
            const double seconds = secondsSince(clock);
            return listsEveryFile(fileListOf(window)) ? seconds : -1;
        },
        [&] {
            QElapsedTimer clock;
            clock.start();
            QListWidget list;
            list.addItems(bareListing(folder));
            const double seconds = secondsSince(clock);
            return listsEveryFile(&list) ? seconds : -1;
        });
}

// The load, then the window shown and laid out until its first paint is done; against a bare list
// of the window list's size made, filled, shown and painted.
void BM_SoftwareWindowOpenAndShow(benchmark::State& state, Fixture* fixture,
                                  const std::string& name) {
    const QString folder = fixture->app.fileFolder();
    const QSize size = [&] {
        kavu::Software window(fixture->app);
        window.show();
        QApplication::processEvents();
        return fileListOf(window)->size();
    }();
    inTurns(
        state, *fixture, name,
        [&] {
            QElapsedTimer clock;
            clock.start();
            kavu::Software window(fixture->app);
            window.show();
            QApplication::processEvents();
            auto* list = fileListOf(window);
            list->grab();
            const double seconds = secondsSince(clock);
            return listsEveryFile(list) ? seconds : -1;
        },
        [&] {
            QElapsedTimer clock;
            clock.start();
            QListWidget list;
            list.resize(size);
            list.addItems(bareListing(folder));
            list.show();
            QApplication::processEvents();
            list.grab();
            const double seconds = secondsSince(clock);
            return listsEveryFile(&list) ? seconds : -1;
        });
}

// A click on "点击此处刷新" in an open window (the button pressed and released on it): the list
// cleared and read again; against a bare list cleared and filled again.
void BM_SoftwareRefresh(benchmark::State& state, Fixture* fixture, const std::string& name) {
    kavu::Software window(fixture->app);
    auto* link = window.findChild<QLabel*>(QStringLiteral("Label9"));
    auto* list = fileListOf(window);
    // A click that did not read the folder again measured nothing.
    int filled = 0;
    QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, list, [&] { ++filled; });
    const QString folder = fixture->app.fileFolder();
    QListWidget bare;
    const QPointF inside(2, 2);
    inTurns(
        state, *fixture, name,
        [&] {
            QMouseEvent press(QEvent::MouseButtonPress, inside, link->mapToGlobal(inside),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QMouseEvent release(QEvent::MouseButtonRelease, inside, link->mapToGlobal(inside),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            const int filledBefore = filled;
            QElapsedTimer clock;
            clock.start();
            QApplication::sendEvent(link, &press);
            QApplication::sendEvent(link, &release);
            const double seconds = secondsSince(clock);
            return filled > filledBefore && listsEveryFile(list) ? seconds : -1;
        },
        [&] { return refilled(bare, [&] { return bareListing(folder); }); });
}

// The folder listing and the filling of a list, as the window does them, without the window;
// against the bare listing filling a list.
void BM_ListAndFill(benchmark::State& state, Fixture* fixture, const std::string& name) {
    const QString folder = fixture->app.fileFolder();
    QListWidget list;
    QListWidget bare;
    inTurns(
        state, *fixture, name,
        [&] {
            return refilled(
                list, [&] { return kavu::plainFilesMatching(folder, QStringLiteral("*.apk")); });
        },
        [&] { return refilled(bare, [&] { return bareListing(folder); }); });
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    const std::pair<const char*, void (*)(benchmark::State&, Fixture*, const std::string&)>
        benchmarks[] = {{"BM_SoftwareWindowLoad/10000", &BM_SoftwareWindowLoad},
                        {"BM_SoftwareWindowOpenAndShow/10000", &BM_SoftwareWindowOpenAndShow},
                        {"BM_SoftwareRefresh/10000", &BM_SoftwareRefresh},
                        {"BM_ListAndFill/10000", &BM_ListAndFill}};
    for (const auto& [name, function] : benchmarks) {
        benchmark::RegisterBenchmark(name, function, &fixture, std::string(name))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printTurnsHeading("The file list of 10,000 files against a bare QDir listing in a plain "
                      "QListWidget, every pair of every run",
                      "ms");
    for (const auto& [name, function] : benchmarks) {
        if (const auto found = fixture.turns.find(name); found != fixture.turns.end()) {
            printTurns(name, found->second, 1e3);
        }
    }
    return fixture.failed ? 1 : 0;
}
