// A device's journal of 10,000 and 100,000 entries: reading the file into entries (each hidden
// run's end joined to its entry), opening the journal window on it (read, rows made, painted),
// and one more entry appended while the window is open, until the window has painted it.
#include "inert_services.h"
#include "journal/journal.h"
#include "journal/journal_reader.h"
#include "journal/journal_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

using namespace kavu;

// An entry as the program writes it.
journal::Entry entryNumber(qint64 number) {
    journal::Entry entry;
    entry.id = {QStringLiteral("k3x9q"), number};
    entry.time = QDateTime::currentDateTime();
    entry.window = QStringLiteral("状态栏操作");
    entry.control = QStringLiteral("隐藏所选图标");
    entry.line =
        QStringLiteral("cmd /c adb shell settings put secure icon_blacklist rotate,battery,");
    entry.serial = QStringLiteral("192.168.1.5:5555");
    entry.model = QStringLiteral("Pixel_7");
    entry.reversal = {journal::Reversal::State::Reversible,
                      Change::setting(QStringLiteral("secure"), QStringLiteral("icon_blacklist"),
                                      QStringLiteral("rotate,volume,")),
                      QStringLiteral("settings put secure icon_blacklist rotate,volume,"),
                      QStringLiteral("rotate,volume,")};
    entry.mode = number % 2 == 0 ? launch::WindowMode::Hidden : launch::WindowMode::Normal;
    // Now and then a change is taken back.
    if (number % 50 == 49) {
        entry.undoes = journal::EntryId{entry.id.session, number - 1};
        entry.mode = launch::WindowMode::Hidden;
    }
    return entry;
}

// A journal of count entries: every other one a hidden run with its end, one in ten of those
// failed, one in fifty an undo of the one before.
QByteArray journalBytes(qint64 count) {
    QByteArray bytes;
    for (qint64 number = 0; number < count; ++number) {
        const journal::Entry entry = entryNumber(number);
        bytes += journal::entryLine(entry);
        if (entry.mode == launch::WindowMode::Hidden) {
            bytes += journal::endLine(entry.id,
                                      {number % 10 == 0 ? 1 : 0, QByteArrayLiteral("Success\n")});
        }
    }
    return bytes;
}

bool append(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size();
}

void openJournal(benchmark::State& state) {
    const qint64 count = state.range(0);
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("192.168.1.5%3A5555.jsonl"));
    if (!append(path, journalBytes(count))) {
        state.SkipWithError("cannot write the journal");
        return;
    }
    for (auto _ : state) {
        const journal::JournalRead read = journal::readJournal(path);
        if (read.entries.size() != count) {
            state.SkipWithError("the journal did not read whole");
            return;
        }
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(openJournal)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The program's App on services that do nothing, and its journal in a temporary folder; no phone
// is chosen, so the window shows the journal of lines run without one.
struct JournaledWorld {
    bench::NoProcesses processes;
    bench::NoMessages messages;
    bench::NoPause pause;
    bench::NoRandom random;
    bench::NoBrowser browser;
    bench::Folder program;
    QTemporaryDir folder;
    App app{{processes, messages, pause, random, browser, program}};
    journal::Journal journal{app, folder.path()};

    QString path() const { return journal.pathFor(std::nullopt); }
};

QTreeWidget& listOf(journal::JournalWindow& window) {
    return *window.findChild<QTreeWidget*>(QStringLiteral("entries"));
}

int rowsOf(journal::JournalWindow& window) {
    return listOf(window).topLevelItemCount();
}

void openWindow(benchmark::State& state) {
    const qint64 count = state.range(0);
    JournaledWorld world;
    if (!append(world.path(), journalBytes(count))) {
        state.SkipWithError("cannot write the journal");
        return;
    }
    for (auto _ : state) {
        journal::JournalWindow window(world.app, world.journal);
        window.show();
        window.grab();
        if (rowsOf(window) != count) {
            state.SkipWithError("the window did not show every entry");
            return;
        }
    }
}
BENCHMARK(openWindow)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// From the write told to the list with the new row painted; the append itself is not measured.
void newEntry(benchmark::State& state) {
    const qint64 count = state.range(0);
    JournaledWorld world;
    if (!append(world.path(), journalBytes(count))) {
        state.SkipWithError("cannot write the journal");
        return;
    }
    journal::JournalWindow window(world.app, world.journal);
    window.show();
    window.grab();
    qint64 number = count;
    for (auto _ : state) {
        const journal::Entry entry = entryNumber(number++);
        if (!append(world.path(), journal::entryLine(entry))) {
            state.SkipWithError("cannot append");
            return;
        }
        QElapsedTimer clock;
        clock.start();
        emit world.journal.written();
        // The list is where the entry appears: it is painted again; the rest of the window is not.
        listOf(window).viewport()->grab();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (rowsOf(window) != number) {
            state.SkipWithError("the new entry is not shown");
            return;
        }
    }
}
BENCHMARK(newEntry)->Arg(10'000)->Arg(100'000)->UseManualTime()->Iterations(200)->Unit(
    benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
