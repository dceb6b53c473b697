#include "statusbar/status_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace kavu::statusbar {
namespace {

TEST(StatusCommands, BatteryLevelsFromNoneToFull) {
    const struct {
        const char* typed;
        const char* level; // nullptr: refused as out of range
    } cases[] = {
        {"50", "50"},       {"12.50", "12.5"}, {"", "0"},         {"abc", "0"},
        {"100", "100"},     {"1e2", "100"},    {"7|more", "7"},   {"150", nullptr},
        {"100.5", nullptr}, {"-5", nullptr},   {"-0.5", nullptr}, {"1E+300", nullptr},
        {"1e999", nullptr},
    };
    for (const auto& c : cases) {
        const Command command = batteryLevelCommand(QString::fromLatin1(c.typed));
        const std::string sent = command.refusal() == Refusal::None ? command.text().toStdString()
                                 : command.refusal() == Refusal::OutOfRange ? "out of range"
                                                                            : "other refusal";
        EXPECT_EQ(sent, c.level ? std::string("adb shell dumpsys battery set level ") + c.level
                                : std::string("out of range"))
            << c.typed;
    }
}

} // namespace
} // namespace kavu::statusbar
