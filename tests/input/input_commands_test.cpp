#include "input/input_commands.h"

#include "run_helper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kavu::input {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Each key's whole line; "cmd /c " is the hidden form's alone. Key 187 keeps its trailing space.
TEST(InputCommands, KeysSendTheirKeyEvents) {
    const struct {
        const FixedCommand& command;
        const char* line;
    } cases[] = {
        {kKeyPrevious, "cmd /c adb shell input keyevent 88"},
        {kKeyNext, "cmd /c adb shell input keyevent 87"},
        {kKeyPlayPause, "cmd /c adb shell input keyevent 86"},
        {kKeyLeft, "cmd /c adb shell input keyevent 21"},
        {kKeyRight, "cmd /c adb shell input keyevent 22"},
        {kKeyDown, "cmd /c adb shell input keyevent 20"},
        {kKeyEnter, "cmd /c adb shell input keyevent 66"},
        {kKeyUp, "cmd /c adb shell input keyevent 19"},
        {kKeyBack, "cmd /c adb shell input keyevent 4"},
        {kKeyRecentApps, "cmd /c adb shell input keyevent 187 "},
        {kKeyHome, "cmd /c adb shell input keyevent 3"},
        {kKeyPower, "cmd /c adb shell input keyevent 26"},
        {kKeyVolumeDown, "cmd /c adb shell input keyevent 25"},
        {kKeyVolumeUp, "cmd /c adb shell input keyevent 24"},
        {kKeyMute, "cmd /c adb shell input keyevent 164"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(consoleLine(c.command).toStdString(), c.line);
    }
}

TEST(InputCommands, TextReachesTheToolAsOneArgument) {
    const struct {
        const char* typed;
        const char* argument;
    } cases[] = {
        {"a b", "'a%sb'"},
        {"", "''"},
        {"it's x;reboot", "'it'\\''s%sx;reboot'"},
        // Between two spaces a word would otherwise name the variable s + word.
        {"a KAVUWORD b", "'a%sKAVUWORD%sb'"},
    };
    setenv("sKAVUWORD", "&calc", 1);
    const console::testing::Sandbox sandbox;
    for (const auto& c : cases) {
        const Command command = textCommand(QString::fromUtf8(c.typed));
        ASSERT_EQ(command.refusal(), Refusal::None) << c.typed;
        const console::testing::RunResult r = sandbox.run("/c", command.text().toStdString());
        EXPECT_EQ(r.out, std::string("adb\n[shell]\n[input]\n[text]\n[") + c.argument + "]\n");
    }
    EXPECT_EQ(textCommand(QStringLiteral("50%")).refusal(), Refusal::PcCharacters);
    EXPECT_EQ(textCommand(QStringLiteral("a&calc")).refusal(), Refusal::PcCharacters);
}

TEST(InputCommands, RunBasesRefuseWhatNoCommandOrTimerTakes) {
    const struct {
        double x1, y2, duration, interval;
        bool starts;
    } cases[] = {
        {540, 600.5, 50, 80, true},  {540, 32767, -32768, 65535, true}, {540, 32767.5, 1, 1, false},
        {540, -32769, 1, 1, false},  {540, 1, 32768, 1, false},         {540, 1, 1, 65535.5, false},
        {540, 1, 1, -0.5, true},     {540, 1, 1, -0.6, false},          {kInfinity, 1, 1, 1, false},
        {1, 1, 1, kInfinity, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runBases(c.x1, 0, 0, c.y2, c.duration, c.interval).has_value(), c.starts)
            << c.x1 << ' ' << c.y2 << ' ' << c.duration << ' ' << c.interval;
    }
    const RunBases b = *runBases(540, 1, 2, 601.5, 50.5, 99.5);
    EXPECT_EQ(b.y2, 602);
    EXPECT_EQ(b.duration, 50);
    EXPECT_EQ(b.interval, 100);
}

TEST(InputCommands, CyclesShiftEachPointWithinTheRadius) {
    EXPECT_EQ(randomOffset(3, 0.99, 0), 2);
    EXPECT_EQ(randomOffset(3, 0, 0.99), -2);
    EXPECT_EQ(randomOffset(0, 0.5, 0.1), 0);
    const RunBases bases{540.5, 1600, 540, 32766, 1, 80};
    const CyclePoints p = *shiftedPoints(bases, {-1, 2, 0, 1});
    EXPECT_EQ(p.x1, 539.5);
    EXPECT_EQ(p.y1, 1602);
    EXPECT_EQ(p.y2, 32767);
    EXPECT_FALSE(shiftedPoints(bases, {0, 0, 0, 2}));
    EXPECT_FALSE(shiftedPoints(bases, {randomOffset(kInfinity, 0.5, 0.5), 0, 0, 0}));
}

TEST(InputCommands, RunEndsAtItsCountOrAtTheCycleLimit) {
    EXPECT_FALSE(runEnds(2, 3));
    EXPECT_TRUE(runEnds(3, 3));
    EXPECT_TRUE(runEnds(1, 0));
    EXPECT_TRUE(runEnds(1, -5));
    EXPECT_FALSE(runEnds(32766, 99999));
    EXPECT_TRUE(runEnds(32767, 99999));
    EXPECT_EQ(nextIndicator(0), 1);
    EXPECT_EQ(nextIndicator(8), 1);
}

} // namespace
} // namespace kavu::input
