#include "journal/journal_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

namespace kavu::journal {
namespace {

constexpr qint64 kRuns = 1000;

// A writer killed (SIGKILL) at random moments, round after round: after each kill the file reads,
// and it holds every entry whose writing was done, in order, and at most the one being written
// besides.
TEST(JournalCrash, EveryWrittenEntrySurvivesAKill) {
    int argc = 0;
    char* argv[] = {nullptr};
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("R58M1.jsonl"));
    QRandomGenerator random(20240501);
    qint64 written = 0; // entries the writer said were written, over every round
    int rounds = 0;
    while (written < kRuns) {
        ++rounds;
        QProcess writer;
        writer.start(QStringLiteral(CRASH_WRITER_PATH), {path});
        ASSERT_TRUE(writer.waitForStarted());
        const qint64 stopAfter = std::min(kRuns, written + random.bounded(20, 200));
        QByteArray said;
        while (written < stopAfter && writer.waitForReadyRead(30000)) {
            said += writer.readAllStandardOutput();
            while (said.contains('\n')) {
                const qsizetype end = said.indexOf('\n');
                EXPECT_EQ(said.left(end).toLongLong(), written);
                said.remove(0, end + 1);
                ++written;
            }
        }
        // Somewhere in the next write, or between two.
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(0, 3000)));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished());
        said += writer.readAllStandardOutput();
        written += said.count('\n');

        const JournalRead journal = readJournal(path);
        ASSERT_TRUE(journal.error.isEmpty());
        ASSERT_GE(journal.entries.size(), written);
        ASSERT_LE(journal.entries.size(), written + 1);
        for (qsizetype at = 0; at < journal.entries.size(); ++at) {
            ASSERT_EQ(journal.entries.at(at).id.number, at);
        }
        // The next round numbers on from the entries it finds.
        written = journal.entries.size();
    }
    EXPECT_GE(rounds, 5);
}

} // namespace
} // namespace kavu::journal
