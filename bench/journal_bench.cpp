// Opening a device's journal of 10,000 entries: reading the file and every line into entries,
// each hidden run's end joined to its entry.
#include "journal/journal_reader.h"
#include "journal/journal_writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 10'000;

// A journal as the program writes it: every other entry a hidden run with its end.
QByteArray journalBytes() {
    QByteArray bytes;
    kavu::journal::Entry entry;
    entry.id.session = QStringLiteral("k3x9q");
    entry.time = QDateTime::currentDateTime();
    entry.window = QStringLiteral("状态栏操作");
    entry.control = QStringLiteral("隐藏所选图标");
    entry.line =
        QStringLiteral("cmd /c adb shell settings put secure icon_blacklist rotate,battery,");
    entry.serial = QStringLiteral("192.168.1.5:5555");
    entry.model = QStringLiteral("Pixel_7");
    entry.reversal = {kavu::journal::Reversal::State::Reversible,
                      QStringLiteral("settings put secure icon_blacklist rotate,volume,"),
                      QStringLiteral("rotate,volume,")};
    for (int number = 0; number < kEntries; ++number) {
        entry.id.number = number;
        entry.mode =
            number % 2 == 0 ? kavu::launch::WindowMode::Hidden : kavu::launch::WindowMode::Normal;
        bytes += kavu::journal::entryLine(entry);
        if (entry.mode == kavu::launch::WindowMode::Hidden) {
            bytes += kavu::journal::endLine(
                entry.id, {number % 10 == 0 ? 1 : 0, QByteArrayLiteral("Success\n")});
        }
    }
    return bytes;
}

void openJournal(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("192.168.1.5%3A5555.jsonl"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(journalBytes()) < 0) {
        state.SkipWithError("cannot write the journal");
        return;
    }
    file.close();
    for (auto _ : state) {
        const kavu::journal::JournalRead read = kavu::journal::readJournal(path);
        if (read.entries.size() != kEntries) {
            state.SkipWithError("the journal did not read whole");
            return;
        }
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(openJournal)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
