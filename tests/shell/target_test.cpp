// Which phones a click's lines start on: the device choice at the click over the phones listed
// then, whether the line is about a phone, and an undo that names only its entry's phone.
#include "app/fastboot_watch.h"
#include "app/target.h"
#include "journal/journal.h"

#include <gtest/gtest.h>

using namespace kavu;

namespace {

using Kind = Target::Kind;
using launch::Reach;

const adb::ListedDevice kA{"A", "device", ""};
const adb::ListedDevice kB{"B", "unauthorized", ""};
const adb::ListedDevice kC{"C", "device", ""};
const std::optional<QString> kLab = QStringLiteral("tcp:lab:5037");

// A start as "SERIAL|TAG|SERVER", "-" for what is left out.
std::vector<std::string> shown(const std::vector<StartEnvironment>& starts) {
    std::vector<std::string> result;
    for (const StartEnvironment& start : starts) {
        const QString text = start.serial.value_or(QStringLiteral("-")) + u'|' +
                             (start.titleTag.isEmpty() ? QStringLiteral("-") : start.titleTag) +
                             u'|' + start.serverSocket.value_or(QStringLiteral("-"));
        result.push_back(text.toStdString());
    }
    return result;
}

} // namespace

TEST(Target, StartsOfALineAtTheClick) {
    struct Case {
        const char* name;
        Kind chosen;
        std::optional<QString> serial;
        std::vector<adb::ListedDevice> listed;
        Reach reach;
        std::optional<QString> server;
        std::vector<std::string> starts;
    };
    const Case cases[] = {
        {"one phone", Kind::One, QStringLiteral("A"), {kA, kC}, Reach::Phone, {}, {"A|-|-"}},
        // A phone rebooting into its bootloader leaves the list and keeps its commands.
        {"one phone that left", Kind::One, QStringLiteral("A"), {kC}, Reach::Phone, {}, {"A|-|-"}},
        {"none chosen", Kind::None, {}, {kA, kC}, Reach::Phone, {}, {"-|-|-"}},
        {"every ready phone, each named",
         Kind::Every,
         {},
         {kA, kB, kC},
         Reach::Phone,
         kLab,
         {"A|A|tcp:lab:5037", "C|C|tcp:lab:5037"}},
        {"every phone, none ready", Kind::Every, {}, {kB}, Reach::Phone, {}, {}},
        {"every phone, a line not about a phone runs once",
         Kind::Every,
         {},
         {kA, kC},
         Reach::Computer,
         kLab,
         {"-|-|tcp:lab:5037"}},
        {"one phone, a line not about a phone",
         Kind::One,
         QStringLiteral("A"),
         {kA, kC},
         Reach::Computer,
         {},
         {"A|-|-"}},
    };
    for (const Case& c : cases) {
        const Target target = targetOf({c.chosen, c.serial, {}, c.listed, {}}, c.server);
        EXPECT_EQ(shown(startsOf(target, c.reach)), c.starts) << c.name;
    }
}

// A phone of "全部设备" takes its turn only while it is listed and ready.
TEST(Target, ReadyWhenItsTurnComes) {
    EXPECT_TRUE(isReadyNow(QStringLiteral("A"), {kA, kB}));
    EXPECT_FALSE(isReadyNow(QStringLiteral("B"), {kA, kB}));
    EXPECT_FALSE(isReadyNow(QStringLiteral("C"), {kA, kB}));
}

// An entry made with no phone chosen went wherever adb took it: it is never taken back.
TEST(Target, UndoNeedsTheEntrysOwnPhone) {
    journal::Entry entry;
    entry.reversal = {journal::Reversal::State::Reversible, Change::battery(std::nullopt),
                      QStringLiteral("dumpsys battery reset"), QStringLiteral("实际电池状态")};
    entry.serial = QStringLiteral("A");
    EXPECT_TRUE(journal::canUndo(entry, {entry}));
    entry.serial.reset();
    EXPECT_FALSE(journal::canUndo(entry, {entry}));
}

// A line's tool is its first word: fastboot lines go to the phones fastboot lists, adb lines to
// the others; picked phones go by where each is at the click.
TEST(Target, FastbootLinesGoToThePhonesInFastbootMode) {
    EXPECT_EQ(launch::toolOf("fastboot flash boot \"a.img\""), launch::Tool::Fastboot);
    EXPECT_EQ(launch::toolOf("  FASTBOOT.exe devices"), launch::Tool::Fastboot);
    EXPECT_EQ(launch::toolOf("fastbootx reboot"), launch::Tool::Adb);
    EXPECT_EQ(launch::toolOf("adb shell echo fastboot"), launch::Tool::Adb);
    const QStringList fastboot{QStringLiteral("F")};
    const Target every = targetOf({Kind::Every, {}, {}, {kA, kB, kC}, fastboot}, {});
    EXPECT_EQ(shown(startsOf(every, Reach::Phone, launch::Tool::Fastboot)),
              std::vector<std::string>{"F|F|-"});
    EXPECT_EQ(shown(startsOf(every, Reach::Phone, launch::Tool::Adb)),
              (std::vector<std::string>{"A|A|-", "C|C|-"}));
    const Target picked = targetOf(
        {Kind::Chosen, {}, {QStringLiteral("F"), QStringLiteral("B")}, {kA, kB}, fastboot}, kLab);
    EXPECT_EQ(shown(startsOf(picked, Reach::Phone, launch::Tool::Fastboot)),
              std::vector<std::string>{"F|F|tcp:lab:5037"});
    EXPECT_EQ(shown(startsOf(picked, Reach::Phone, launch::Tool::Adb)),
              std::vector<std::string>{"B|B|tcp:lab:5037"});
    EXPECT_FALSE(isReadyNow(QStringLiteral("A"), launch::Tool::Fastboot, {kA}, fastboot));
    EXPECT_TRUE(isReadyNow(QStringLiteral("F"), launch::Tool::Fastboot, {kA}, fastboot));
}

// What "fastboot devices" prints is data: a serial a console could not take whole is dropped.
TEST(Target, FastbootListing) {
    EXPECT_EQ(fastbootSerials("0123ABCD\tfastboot\nXY  fastboot\r\n\nnoise\n0123ABCD\tfastboot\n"
                              "B\x01\tfastboot\n"),
              (QStringList{QStringLiteral("0123ABCD"), QStringLiteral("XY")}));
    QByteArray many;
    for (int i = 0; i < 300; ++i) {
        many += "S" + QByteArray::number(i) + "\tfastboot\n";
    }
    EXPECT_EQ(fastbootSerials(many).size(), kMostFastbootPhones);
}
