#include "journal/journal.h"
#include "journal/journal_reader.h"
#include "journal/journal_window.h"
#include "journal/journal_writer.h"
#include "journal/shared_texts.h"
#include "journal/undone_index.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

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
                      Change::setting(QStringLiteral("secure"), QStringLiteral("clock_seconds"),
                                      QStringLiteral("0")),
                      QStringLiteral("settings put secure clock_seconds 0"), QStringLiteral("0")};
    return entry;
}

// An entry read back is the entry written, with its run's end joined to it.
TEST(JournalFile, EntriesAndEndsReadBack) {
    Entry undo = entryNumber(2);
    undo.mode = launch::WindowMode::Normal;
    undo.serial.reset();
    undo.undoes = EntryId{QStringLiteral("s1"), 1};
    const QByteArray bytes =
        entryLine(entryNumber(1)) + entryLine(undo) +
        endLine({QStringLiteral("s1"), 1}, {3, QByteArrayLiteral("无此包\n")}) +
        notStartedLine(undo.id);
    const JournalRead read = readJournalBytes(bytes);
    ASSERT_EQ(read.entries.size(), 2);
    Entry first = entryNumber(1);
    first.exitCode = 3;
    first.output = QStringLiteral("无此包\n");
    undo.notStarted = true;
    const auto same = [](const Entry& a, const Entry& b) {
        return a.id == b.id && a.time == b.time && a.window == b.window && a.control == b.control &&
               a.line == b.line && a.mode == b.mode && a.serial == b.serial && a.model == b.model &&
               a.reversal == b.reversal && a.undoes == b.undoes && a.exitCode == b.exitCode &&
               a.output == b.output && a.notStarted == b.notStarted;
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

// Lines written by hand, damaged or hostile: each is read as a JSON parser reads it, or skipped
// as unreadable; a line that reads keeps its time as written, in UTC, at an offset or (an older
// line) in local time.
TEST(JournalFile, LinesReadAsJson) {
    const QByteArray written = entryLine(entryNumber(1));
    // The time as written: with its offset from UTC.
    const QDateTime time = entryNumber(1).time.toOffsetFromUtc(entryNumber(1).time.offsetFromUtc());
    // The writer's line with the JSON of the control's member in place of its own.
    const auto with = [&written](const QByteArray& control) {
        return QByteArray(written).replace(R"("control":"显示秒")", control);
    };
    const auto withTime = [&written](const QByteArray& time) {
        const qsizetype at = written.indexOf(R"("time":")") + 8;
        return QByteArray(written).replace(at, written.indexOf('"', at) - at, time);
    };
    const QByteArray deep = QByteArray(100'000, '[') + QByteArray(100'000, ']');
    const struct {
        QByteArray bytes;
        // None: the line is unreadable.
        std::optional<QString> control;
        QDateTime time;
        qint64 number = 1;
    } rows[] = {
        {with(R"("control":"a\"b\\c\/d\b\f\n\r\t")"), QStringLiteral("a\"b\\c/d\b\f\n\r\t"), time},
        {with(R"("control":"\u663e\u793A秒 \ud83d\ude00")"), QStringLiteral("显示秒 😀"), time},
        {with(R"("control":"\ud83d")"), QString(QChar(0xd83d)), time},
        {with("\"control\":\"\xff\""), std::nullopt, time},
        {with("\"control\":\"\xed\xa0\xbd\""), std::nullopt, time},
        {with("\"control\":\"a\x01\""), QStringLiteral("a\x01"), time},
        {with(R"("control":"a","control":"b")"), QStringLiteral("b"), time},
        {with("\"\xef\xbb\xbf"
              R"(control":"x","control":"y")"),
         QStringLiteral("y"), time},
        {with(R"("control":"x", "more":[1,{"a":[null,true]}],"object":{"n":2})"),
         QStringLiteral("x"), time},
        {with(R"("control":"x","f":1.5)"), QStringLiteral("x"), time},
        {with(R"("control":"x","big":1e999)"), std::nullopt, time},
        {with(R"("control":"x","n":01)"), std::nullopt, time},
        {with(R"("control":"x","deep":)" + deep), std::nullopt, time},
        {with(R"("control":")" + QByteArray(1 << 20, 'a') + '"'), std::nullopt, time},
        {written.left(written.size() - 2) + '\n', std::nullopt, time},
        {written.trimmed() + "x\n", std::nullopt, time},
        {" \t" + written.trimmed() + " \r\n", QStringLiteral("显示秒"), time},
        {R"( { "reversal" : { "state" : "irreversible" }, "mode" : "hidden", "control" : "c", )"
         R"("time" : "2024-05-01T12:00:00.250Z", "kind" : "run", "n" : 9223372036854775807, )"
         R"("session" : "s1" })"
         "\n",
         QStringLiteral("c"), QDateTime(QDate(2024, 5, 1), QTime(12, 0, 0, 250), Qt::UTC),
         std::numeric_limits<qint64>::max()},
        {withTime("2024-05-01T12:00:00.250-09:30"), QStringLiteral("显示秒"),
         QDateTime(QDate(2024, 5, 1), QTime(12, 0, 0, 250), Qt::OffsetFromUTC, -34'200)},
        {withTime("2024-05-01T12:00:00.250"), QStringLiteral("显示秒"),
         QDateTime(QDate(2024, 5, 1), QTime(12, 0, 0, 250))},
        {withTime("+024-05-01T12:00:00.250+08:00"), QStringLiteral("显示秒"), QDateTime()},
    };
    for (const auto& row : rows) {
        const JournalRead read = readJournalBytes(row.bytes);
        const QByteArray shown = row.bytes.left(300);
        ASSERT_EQ(read.entries.size(), row.control ? 1 : 0) << shown.constData();
        EXPECT_EQ(read.unreadableLines, row.control ? 0 : 1) << shown.constData();
        if (row.control) {
            const Entry& entry = read.entries.at(0);
            EXPECT_EQ(entry.control, *row.control) << shown.constData();
            EXPECT_EQ(entry.id.number, row.number) << shown.constData();
            EXPECT_EQ(entry.time, row.time) << shown.constData();
            EXPECT_EQ(entry.time.toString(Qt::ISODateWithMs), row.time.toString(Qt::ISODateWithMs))
                << shown.constData();
        }
    }
}

// Texts shared between lines are each the text of their own bytes, however many there are.
TEST(JournalFile, SharedTextsAreTheirBytes) {
    SharedTexts texts;
    QList<QByteArray> all;
    // Many more than it keeps, alike but for their last bytes, some beyond ASCII.
    for (int i = 0; i < 3000; ++i) {
        all.append("settings put secure key_" + QByteArray::number(i));
        all.append(QStringLiteral("状态栏 %1").arg(i).toUtf8());
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (const QByteArray& bytes : all) {
            EXPECT_EQ(texts.text(bytes), QString::fromUtf8(bytes)) << bytes.constData();
        }
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

// A link put in the journal's place is not written through; the file it names is left alone.
TEST(JournalFile, AppendRefusesALink) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString target = QDir(folder.path()).filePath(QStringLiteral("elsewhere"));
    const QString path = QDir(folder.path()).filePath(QStringLiteral("x.jsonl"));
    ASSERT_TRUE(QFile::link(target, path));
    QString why;
    EXPECT_EQ(appendLine(path, entryLine(entryNumber(1)), &why), Appended::Failed);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
}

// A journal taken in two pieces, split anywhere, reads as the whole does.
TEST(JournalFile, ReadInPiecesReadsAsAWhole) {
    const QByteArray one = entryLine(entryNumber(1));
    const QByteArray end = endLine({QStringLiteral("s1"), 1}, {4, QByteArrayLiteral("x")});
    const QByteArray rows[] = {
        one + entryLine(entryNumber(2)) + end,
        one.left(25) + '\n' + one + end + "{}\n",
        one + one.left(30) + '\n' + entryLine(entryNumber(3)) + one.left(10),
    };
    for (const QByteArray& bytes : rows) {
        const JournalRead whole = readJournalBytes(bytes);
        for (qsizetype split = 0; split <= bytes.size(); ++split) {
            JournalFollower follower;
            follower.take(QByteArrayView(bytes).first(split));
            follower.take(QByteArrayView(bytes).sliced(split));
            const JournalRead& read = follower.journal();
            ASSERT_EQ(read.entries.size(), whole.entries.size()) << split;
            for (qsizetype at = 0; at < read.entries.size(); ++at) {
                EXPECT_EQ(read.entries.at(at).id, whole.entries.at(at).id) << split;
                EXPECT_EQ(read.entries.at(at).exitCode, whole.entries.at(at).exitCode) << split;
            }
            EXPECT_EQ(read.unreadableLines, whole.unreadableLines) << split;
            EXPECT_EQ(read.tornLastLine, whole.tornLastLine) << split;
        }
    }
}

// A followed file is read from where the last read stopped, and from its start when it was
// replaced; a symbolic link is not read through.
TEST(JournalFile, FollowingReadsWhatWasAppended) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("x.jsonl"));
    const auto write = [&path](const QByteArray& bytes, QIODevice::OpenMode mode) {
        QFile file(path);
        return file.open(mode) && file.write(bytes) == bytes.size();
    };
    const struct {
        QByteArray bytes;
        QIODevice::OpenMode mode;
        bool fromStart;
        qsizetype firstNew;
        QList<qsizetype> ended;
        qsizetype entries;
    } steps[] = {
        {entryLine(entryNumber(1)) + entryLine(entryNumber(2)), QIODevice::Append, true, 0, {}, 2},
        {endLine({QStringLiteral("s1"), 2}, {0, {}}) + entryLine(entryNumber(3)),
         QIODevice::Append,
         false,
         2,
         {1},
         3},
        {entryLine(entryNumber(9)), QIODevice::WriteOnly | QIODevice::Truncate, true, 0, {}, 1},
    };
    JournalFollower follower;
    for (const auto& step : steps) {
        ASSERT_TRUE(write(step.bytes, step.mode));
        const JournalGrowth growth = follower.follow(path);
        EXPECT_EQ(growth.fromStart, step.fromStart) << step.bytes.constData();
        EXPECT_EQ(growth.firstNew, step.firstNew) << step.bytes.constData();
        EXPECT_EQ(growth.ended, step.ended) << step.bytes.constData();
        EXPECT_EQ(follower.journal().entries.size(), step.entries) << step.bytes.constData();
    }
    const QString link = QDir(folder.path()).filePath(QStringLiteral("link.jsonl"));
    ASSERT_TRUE(QFile::link(path, link));
    const JournalRead read = readJournal(link);
    EXPECT_TRUE(read.entries.isEmpty());
    EXPECT_FALSE(read.error.isEmpty());
}

// The index of undone entries answers as the journal does: taken back only by an undo that ended
// with exit code 0.
TEST(JournalFile, UndoneIndexAnswersAsTheJournal) {
    const auto undoOf = [](qint64 number, qint64 undone, std::optional<int> exitCode) {
        Entry entry = entryNumber(number);
        entry.undoes = EntryId{QStringLiteral("s1"), undone};
        entry.exitCode = exitCode;
        return entry;
    };
    Entry failed = entryNumber(7);
    failed.exitCode = 1;
    Entry noPhone = entryNumber(8);
    noPhone.serial.reset();
    const QList<Entry> all = {
        entryNumber(1), entryNumber(2),  entryNumber(3),  failed,
        noPhone,        undoOf(4, 1, 0), undoOf(5, 2, 1), undoOf(6, 3, std::nullopt)};
    const UndoneIndex index(all);
    EXPECT_TRUE(index.contains(all.at(0).id));
    EXPECT_TRUE(canUndo(all.at(1), index));
    for (const Entry& entry : all) {
        EXPECT_EQ(index.contains(entry.id), isUndone(entry, all)) << entry.id.number;
        EXPECT_EQ(canUndo(entry, index), canUndo(entry, all)) << entry.id.number;
    }
}

// The window's words for an entry: its line without the interpreter, a failed run never offered
// for undo.
TEST(JournalFile, WindowWords) {
    const struct {
        QString line;
        QString window;
        std::optional<int> exitCode;
        QString what;
        QString reversal;
    } rows[] = {
        {QStringLiteral("cmd /c adb shell settings put secure clock_seconds 1"),
         QStringLiteral("状态栏"), 0,
         QStringLiteral("状态栏 / 显示秒：adb shell settings put secure clock_seconds 1"),
         QStringLiteral("可撤销（恢复为 0）")},
        {QStringLiteral("cmd /k  adb reboot"),
         {},
         std::nullopt,
         QStringLiteral("显示秒：adb reboot"),
         QStringLiteral("可撤销（恢复为 0）")},
        {QStringLiteral("cmd /k adb shell wm size 0x0"),
         {},
         1,
         QStringLiteral("显示秒：adb shell wm size 0x0"),
         QStringLiteral("无需撤销（命令失败）")},
    };
    for (const auto& row : rows) {
        Entry entry = entryNumber(1);
        entry.line = row.line;
        entry.window = row.window;
        entry.exitCode = row.exitCode;
        const EntryText shown = entryText(entry, UndoneIndex());
        EXPECT_EQ(shown.what, row.what);
        EXPECT_EQ(shown.reversal, row.reversal);
    }
}

} // namespace
} // namespace kavu::journal
