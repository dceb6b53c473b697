#include "display/display_commands.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

namespace kavu::display {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// What a command sends, or why it is refused.
std::string sent(const Command& command) {
    switch (command.refusal()) {
    case Refusal::None:
        return command.text().toStdString();
    case Refusal::OutOfRange:
        return "out of range";
    default:
        return "other refusal";
    }
}

// The command text for a case, or the refusal when the case sends nothing.
std::string expected(const char* prefix, const char* sentText) {
    return sentText ? std::string(prefix) + sentText : std::string("out of range");
}

// Each reset's whole line; all run hidden. The font-scale reset sends "1.0", not a step's "1".
TEST(DisplayCommands, ResetsSendTheirLines) {
    const struct {
        const FixedCommand& command;
        const char* line;
    } cases[] = {
        {kOverscanReset, "cmd /c adb shell wm overscan 0,0,0,0"},
        {kDensityReset, "cmd /c adb shell wm density reset"},
        {kSizeReset, "cmd /c adb shell wm size reset"},
        {kFontScaleReset, "cmd /c adb shell settings put system font_scale 1.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(consoleLine(c.command).toStdString(), c.line);
    }
}

TEST(DisplayCommands, DensitiesAreWholeAndWithinTheWindowManagersRange) {
    const struct {
        double dpi;
        const char* sent; // nullptr: refused as out of range
    } cases[] = {
        {440, "440"},           {72, "72"},          {71, nullptr},     {0, nullptr},
        {100000, "100000"},     {100000.5, nullptr}, {100001, nullptr}, {-1, nullptr},
        {441.5, nullptr},       {1e300, nullptr},    {-0.5, nullptr},   {kInfinity, nullptr},
        {kNotANumber, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sent(densityCommand(c.dpi)), expected("adb shell wm density ", c.sent)) << c.dpi;
    }
}

TEST(DisplayCommands, SizesAreWholeAndWithinTheWindowManagersRange) {
    const struct {
        double width, height;
        const char* sent; // nullptr: refused as out of range
    } cases[] = {
        {1080, 2340, "1080x2340"}, {0, 0, "0x0"},        {100000, 100000, "100000x100000"},
        {-5, 0, nullptr},          {1080, -1, nullptr},  {1080.5, 2340, nullptr},
        {1080, 2340.5, nullptr},   {100001, 1, nullptr}, {1, 1e300, nullptr},
        {kInfinity, 1, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sent(resolutionCommand(c.width, c.height)),
                  expected("adb shell wm size ", c.sent))
            << c.width << 'x' << c.height;
    }
}

// The moved edge is the first (left) one; the other three are typed.
TEST(DisplayCommands, OverscanInsetsStayWithinTenThousandPixels) {
    const struct {
        double moved;
        std::array<const char*, 3> others;
        const char* sent; // nullptr: refused as out of range
    } cases[] = {
        {10, {"0", "0", "0"}, "10,0,0,0"},
        {2.5, {"0", "0", "0"}, "2.5,0,0,0"},
        {-10000, {"0", "0", "0"}, "-10000,0,0,0"},
        {10000, {"-10000", "10000", "1e4"}, "10000,-10000,10000,1e4"},
        // Typed text that reads as no number reads as 0 and goes as typed.
        {0, {"abc", "", "7px"}, "0,abc,,7px"},
        {10000.5, {"0", "0", "0"}, nullptr},
        {-1e300, {"0", "0", "0"}, nullptr},
        {kInfinity, {"0", "0", "0"}, nullptr},
        {0, {"0", "-1e300", "0"}, nullptr},
        {0, {"0", "0", "10001"}, nullptr},
        {0, {"-10000.5", "0", "0"}, nullptr},
        {0, {"1e999", "0", "0"}, nullptr},
    };
    for (const auto& c : cases) {
        const std::array<QString, 4> typed = {
            QStringLiteral("ignored"), QString::fromLatin1(c.others[0]),
            QString::fromLatin1(c.others[1]), QString::fromLatin1(c.others[2])};
        EXPECT_EQ(sent(overscanCommand(typed, 0, c.moved)),
                  expected("adb shell wm overscan ", c.sent))
            << c.moved << ' ' << c.others[0] << ' ' << c.others[1] << ' ' << c.others[2];
    }
    // The typed text's own check comes first.
    const std::array<QString, 4> unsafe = {QStringLiteral("0"), QStringLiteral("1e300;reboot"),
                                           QStringLiteral("0"), QStringLiteral("0")};
    EXPECT_EQ(overscanCommand(unsafe, 0, 0).refusal(), Refusal::PhoneCharacters);
}

} // namespace
} // namespace kavu::display
