// Journals runs in a loop into the file named on the command line, numbering them on from the
// entries the file holds, and prints each number once its entry is written. The crash test kills
// it at random moments.
#include "journal/journal_reader.h"
#include "journal/journal_writer.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: journal_crash_writer FILE\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const kavu::journal::JournalRead journal = kavu::journal::readJournal(path);
    if (!journal.error.isEmpty()) {
        return 1;
    }
    kavu::journal::Entry entry;
    entry.id.session = QStringLiteral("crash");
    entry.time = QDateTime::currentDateTime();
    entry.line = QStringLiteral("cmd /c adb shell settings put secure clock_seconds 1");
    entry.serial = QStringLiteral("R58M1");
    for (qint64 number = journal.entries.size();; ++number) {
        entry.id.number = number;
        if (kavu::journal::appendLine(path, kavu::journal::entryLine(entry)) ==
            kavu::journal::Appended::Failed) {
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(number));
        std::fflush(stdout);
    }
}
