// Loading the apps window's file list from a File folder of 10,000 files: the whole window load
// (which lists the folder), the load with the window shown and painted, a refresh through
// "点击此处刷新", and the listing and filling alone.
#include "app/app.h"
#include "apps/software.h"
#include "inert_services.h"
#include "platform/file_list.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

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
};

void checkListed(benchmark::State& state, const QListWidget* list) {
    if (!list || list->count() != kFileCount) {
        state.SkipWithError("the list does not show every file");
    }
}

// The window's load: controls, then the File folder listed with "*.apk".
void BM_SoftwareWindowLoad(benchmark::State& state, Fixture* fixture) {
    for (auto _ : state) {
        kavu::Software window(fixture->app);
        benchmark::DoNotOptimize(&window);
        state.PauseTiming();
        checkListed(state, window.findChild<QListWidget*>(QStringLiteral("Fileapk")));
        state.ResumeTiming();
    }
}

// The load, then the window shown and laid out until its first paint is done.
void BM_SoftwareWindowOpenAndShow(benchmark::State& state, Fixture* fixture) {
    for (auto _ : state) {
        kavu::Software window(fixture->app);
        window.show();
        QApplication::processEvents();
        auto* list = window.findChild<QListWidget*>(QStringLiteral("Fileapk"));
        list->grab();
        state.PauseTiming();
        checkListed(state, list);
        state.ResumeTiming();
    }
}

// A click on "点击此处刷新" in an open window: the list cleared and read again.
void BM_SoftwareRefresh(benchmark::State& state, Fixture* fixture) {
    kavu::Software window(fixture->app);
    auto* link = window.findChild<QLabel*>(QStringLiteral("Label9"));
    const QPointF inside(2, 2);
    for (auto _ : state) {
        QMouseEvent release(QEvent::MouseButtonRelease, inside, link->mapToGlobal(inside),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(link, &release);
    }
    checkListed(state, window.findChild<QListWidget*>(QStringLiteral("Fileapk")));
}

// The folder listing and the filling of a list, as the window does them, without the window.
void BM_ListAndFill(benchmark::State& state, Fixture* fixture) {
    const QString files = fixture->app.fileFolder();
    QListWidget list;
    for (auto _ : state) {
        list.clear();
        list.addItems(kavu::plainFilesMatching(files, QStringLiteral("*.apk")));
    }
    checkListed(state, &list);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    for (auto [name, function] :
         {std::pair{"BM_SoftwareWindowLoad/10000", &BM_SoftwareWindowLoad},
          std::pair{"BM_SoftwareWindowOpenAndShow/10000", &BM_SoftwareWindowOpenAndShow},
          std::pair{"BM_SoftwareRefresh/10000", &BM_SoftwareRefresh},
          std::pair{"BM_ListAndFill/10000", &BM_ListAndFill}}) {
        benchmark::RegisterBenchmark(name, function, &fixture)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
