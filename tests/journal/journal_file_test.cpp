#include "journal/journal_reader.h"
#include "journal/journal_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kavu::journal {
namespace {

Entry entryNumber(qint64 number) {
    Entry entry;
    entry.id = {QStringLiteral("s1"), number};
    entry.time = QDateTime(QDate(2024, 5, 1), QTime(12, 0, 0, 250));
    entry.window = QStringLiteral("状态栏");
    entry.control = QStringLiteral("显示秒");
    entry.line = QStringLiteral("cmd /c adb shell settings put secure clock_seconds 1");
    entry.serial = QStringLiteral("192.168.1.5:5555");
    entry.model = QStringLiteral("Pixel 7");
    entry.reversal = {Reversal::State::Reversible,
                      QStringLiteral("settings put secure clock_seconds 0"), QStringLiteral("0")};
    return entry;
}

// An entry read back is the entry written, with its run's end joined to it.
TEST(JournalFile, EntriesAndEndsReadBack) {
    Entry undo = entryNumber(2);
    undo.mode = launch::WindowMode::Normal;
    undo.serial.reset();
    undo.undoes = EntryId{QStringLiteral("s1"), 1};
    const QByteArray bytes = entryLine(entryNumber(1)) + entryLine(undo) +
                             endLine({QStringLiteral("s1"), 1}, {3, QByteArrayLiteral("无此包\n")});
    const JournalRead read = readJournalBytes(bytes);
    ASSERT_EQ(read.entries.size(), 2);
    Entry first = entryNumber(1);
    first.exitCode = 3;
    first.output = QStringLiteral("无此包\n");
    const auto same = [](const Entry& a, const Entry& b) {
        return a.id == b.id && a.time == b.time && a.window == b.window && a.control == b.control &&
               a.line == b.line && a.mode == b.mode && a.serial == b.serial && a.model == b.model &&
               a.reversal == b.reversal && a.undoes == b.undoes && a.exitCode == b.exitCode &&
               a.output == b.output;
    };
    EXPECT_TRUE(same(read.entries.at(0), first));
    EXPECT_TRUE(same(read.entries.at(1), undo));
    EXPECT_FALSE(read.tornLastLine);
    EXPECT_EQ(read.unreadableLines, 0);
}

// A line cut short at the end is skipped and told; a damaged line elsewhere is skipped.
TEST(JournalFile, DamagedLinesAreSkipped) {
    const QByteArray whole = entryLine(entryNumber(1));
    const struct {
        QByteArray bytes;
        qsizetype entries;
        bool torn;
        int unreadable;
    } rows[] = {
        {whole + whole.left(20), 1, true, 0},
        {whole.left(20) + '\n' + whole, 1, false, 1},
        {whole + "{\"kind\":\"run\"}\n" + whole, 2, false, 1},
        {QByteArray(), 0, false, 0},
    };
    for (const auto& row : rows) {
        const JournalRead read = readJournalBytes(row.bytes);
        EXPECT_EQ(read.entries.size(), row.entries) << row.bytes.constData();
        EXPECT_EQ(read.tornLastLine, row.torn) << row.bytes.constData();
        EXPECT_EQ(read.unreadableLines, row.unreadable) << row.bytes.constData();
    }
}

// An append after a line cut short ends that line first, so that the new one stands whole.
TEST(JournalFile, AppendAfterATornLineKeepsTheNewLineWhole) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("journal/x.jsonl"));
    EXPECT_EQ(appendLine(path, entryLine(entryNumber(1))), Appended::Written);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(entryLine(entryNumber(2)).left(30));
    }
    EXPECT_EQ(appendLine(path, entryLine(entryNumber(3))), Appended::WrittenAfterTornLine);
    const JournalRead read = readJournal(path);
    ASSERT_EQ(read.entries.size(), 2);
    EXPECT_EQ(read.entries.at(1).id.number, 3);
    EXPECT_EQ(read.unreadableLines, 1);
    EXPECT_FALSE(read.tornLastLine);
}

} // namespace
} // namespace kavu::journal
