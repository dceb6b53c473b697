// A device's journal of 10,000 and 100,000 entries, each figure beside a baseline timed in turns
// with it in the same run (median of the rounds, and the median of each round's ratio):
// - reading the file into entries (each hidden run's end joined to its entry), against reading
//   the same lines with Qt's JSON parser into objects and nothing more;
// - opening the journal window on it (read, rows made, shown and painted), against a bare list of
//   as many rows of four texts, shown and painted;
// - one more entry appended while the window is open, from the write told to the list painted
//   with the new row, against one row added to the bare list and the list painted.
#include "in_turns.h"
#include "inert_services.h"
#include "journal/journal.h"
#include "journal/journal_reader.h"
#include "journal/journal_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

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

using kavu::bench::msSince;

// The baseline of reading: every line through Qt's JSON parser, the objects kept.
qsizetype parseWithQt(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    std::vector<QJsonObject> objects;
    const QByteArray bytes = file.readAll();
    for (const QByteArray& line : bytes.split('\n')) {
        if (!line.isEmpty()) {
            objects.push_back(QJsonDocument::fromJson(line).object());
        }
    }
    return static_cast<qsizetype>(objects.size());
}

// The baseline of the window: a bare list of count rows of four texts, shown and painted.
std::unique_ptr<QTreeWidget> bareList(qint64 count) {
    auto list = std::make_unique<QTreeWidget>();
    list->setColumnCount(4);
    list->resize(760, 420);
    const QStringList texts = {QStringLiteral("2026-12-08 06:57:57"),
                               QStringLiteral("状态栏操作 / 隐藏所选图标：adb shell settings put"),
                               QStringLiteral("成功"),
                               QStringLiteral("可撤销（恢复为 rotate,volume,）")};
    QList<QTreeWidgetItem*> items;
    items.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
        items.append(new QTreeWidgetItem(texts));
    }
    list->addTopLevelItems(items);
    list->show();
    list->grab();
    return list;
}

struct Figure {
    const char* name;
    kavu::bench::Turns turns;
};

using kavu::bench::median;

// Times subject and baseline in turns, rounds times each; false when one failed.
bool inTurns(Figure& figure, int rounds, const std::function<double()>& subject,
             const std::function<double()>& baseline) {
    for (int round = 0; round < rounds; ++round) {
        if (!figure.turns.take(subject, baseline)) {
            return false;
        }
    }
    return true;
}

bool measure(qint64 count, std::vector<Figure>& figures) {
    JournaledWorld world;
    if (!append(world.path(), journalBytes(count))) {
        std::fprintf(stderr, "cannot write the journal\n");
        return false;
    }
    const int rounds = count > 50'000 ? 5 : 15;
    Figure read{"read into entries / Qt's JSON parser", {}};
    const bool readOk = inTurns(
        read, rounds,
        [&] {
            QElapsedTimer clock;
            clock.start();
            const journal::JournalRead entries = journal::readJournal(world.path());
            return entries.entries.size() == count ? msSince(clock) : -1;
        },
        [&] {
            QElapsedTimer clock;
            clock.start();
            return parseWithQt(world.path()) > count ? msSince(clock) : -1;
        });
    Figure shown{"journal window shown / bare list shown", {}};
    const bool shownOk = inTurns(
        shown, rounds,
        [&] {
            QElapsedTimer clock;
            clock.start();
            journal::JournalWindow window(world.app, world.journal);
            window.show();
            window.grab();
            return rowsOf(window) == count ? msSince(clock) : -1;
        },
        [&] {
            QElapsedTimer clock;
            clock.start();
            const std::unique_ptr<QTreeWidget> list = bareList(count);
            return list->topLevelItemCount() == count ? msSince(clock) : -1;
        });
    Figure added{"new entry painted / row added to bare list", {}};
    journal::JournalWindow window(world.app, world.journal);
    window.show();
    window.grab();
    const std::unique_ptr<QTreeWidget> list = bareList(count);
    qint64 number = count;
    const bool addedOk = inTurns(
        added, 100,
        [&] {
            const journal::Entry entry = entryNumber(number++);
            if (!append(world.path(), journal::entryLine(entry))) {
                return -1.0;
            }
            QElapsedTimer clock;
            clock.start();
            emit world.journal.written();
            // The list is where the entry appears: it is painted again; the rest of the window is
            // not.
            listOf(window).viewport()->grab();
            return rowsOf(window) == number ? msSince(clock) : -1;
        },
        [&] {
            QElapsedTimer clock;
            clock.start();
            list->insertTopLevelItem(0, new QTreeWidgetItem(list->topLevelItem(0)->clone()));
            list->viewport()->grab();
            return msSince(clock);
        });
    if (!readOk || !shownOk || !addedOk) {
        std::fprintf(stderr, "a measurement of %lld entries failed\n",
                     static_cast<long long>(count));
        return false;
    }
    figures.push_back(read);
    figures.push_back(shown);
    figures.push_back(added);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    for (const qint64 count : {qint64{10'000}, qint64{100'000}}) {
        std::vector<Figure> figures;
        if (!measure(count, figures)) {
            return 1;
        }
        std::printf("%lld entries, subject / baseline in turns: median ms, median ratio\n",
                    static_cast<long long>(count));
        for (const Figure& figure : figures) {
            std::printf("  %-45s %9.3f / %9.3f  %6.3fx\n", figure.name,
                        median(figure.turns.subject), median(figure.turns.baseline),
                        median(figure.turns.ratios));
        }
    }
    return 0;
}
