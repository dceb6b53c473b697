#include "journal/reversal.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kavu::journal {

void PrintTo(const Reversal& reversal, std::ostream* out) {
    *out << static_cast<int>(reversal.state) << " \"" << reversal.command.toStdString() << "\" \""
         << reversal.restores.toStdString() << '"';
}

namespace {

using State = Reversal::State;

DeviceSnapshot before() {
    DeviceSnapshot snapshot;
    snapshot.settings.insert(QStringLiteral("secure/icon_blacklist"),
                             QStringLiteral("rotate,volume,"));
    snapshot.settings.insert(QStringLiteral("global/policy_control"), std::nullopt);
    snapshot.settings.insert(QStringLiteral("secure/clock_seconds"), QStringLiteral("0"));
    snapshot.settings.insert(QStringLiteral("secure/sysui_rounded_content_padding"),
                             QStringLiteral("8"));
    snapshot.settings.insert(QStringLiteral("global/captive_portal_https_url"),
                             QStringLiteral("https://old.example/gen_204"));
    snapshot.settings.insert(QStringLiteral("system/font_scale"), QStringLiteral("1.1 x"));
    snapshot.settings.insert(QStringLiteral("global/window_animation_scale"),
                             QStringLiteral("1&calc"));
    snapshot.density = WmValue{QStringLiteral("440"), QStringLiteral("400")};
    snapshot.size = WmValue{QStringLiteral("1080x2400"), std::nullopt};
    snapshot.disabledPackages = QSet<QString>{QStringLiteral("com.off")};
    snapshot.enabledPackages = QSet<QString>{QStringLiteral("com.on")};
    return snapshot;
}

struct Row {
    const char16_t* line;
    bool known; // the snapshot above, else nothing known
    Reversal expected;
};

// The reversing rules, row by row.
TEST(Reversal, OfEachChange) {
    const Row rows[] = {
        {u"cmd /c adb shell pm disable-user com.on",
         true,
         {State::Reversible, QStringLiteral("pm enable com.on"), QStringLiteral("已启用")}},
        {u"cmd /c adb shell pm disable-user com.off", true, {State::Unchanged, {}, {}}},
        {u"cmd /c adb shell pm disable-user com.absent", true, {State::OldValueUnknown, {}, {}}},
        {u"cmd /c adb shell pm disable-user com.on", false, {State::OldValueUnknown, {}, {}}},
        {u"cmd /k adb shell pm enable com.off",
         true,
         {State::Reversible, QStringLiteral("pm disable-user com.off"), QStringLiteral("已停用")}},
        {u"cmd /k adb shell pm enable com.on", true, {State::Unchanged, {}, {}}},
        {u"cmd /k adb shell pm uninstall -k --user 0  com.on&& COLOR 3f",
         false,
         {State::Reversible, QStringLiteral("cmd package install-existing com.on"),
          QStringLiteral("已安装")}},
        {u"cmd /c adb shell settings put secure icon_blacklist rotate,wifi,",
         true,
         {State::Reversible, QStringLiteral("settings put secure icon_blacklist rotate,volume,"),
          QStringLiteral("rotate,volume,")}},
        {u"cmd /c adb shell settings put global policy_control immersive.status=*",
         true,
         {State::Reversible, QStringLiteral("settings delete global policy_control"),
          QStringLiteral("（无值）")}},
        {u"cmd /c adb shell settings put secure clock_seconds 0", true, {State::Unchanged, {}, {}}},
        {u"cmd /c adb shell settings put secure sysui_qqs_count 5",
         true,
         {State::OldValueUnknown, {}, {}}},
        {u"cmd /c adb shell settings put system font_scale 1.0",
         true,
         {State::Reversible, QStringLiteral("settings put system font_scale '1.1 x'"),
          QStringLiteral("1.1 x")}},
        // A value the phone's shell could not be given back safely.
        {u"cmd /c adb shell settings put global window_animation_scale 0.5",
         true,
         {State::OldValueUnknown, {}, {}}},
        {u"cmd /c adb shell \"settings put global captive_portal_https_url https://new/x\"",
         true,
         {State::Reversible,
          QStringLiteral(
              "settings put global captive_portal_https_url https://old.example/gen_204"),
          QStringLiteral("https://old.example/gen_204")}},
        {u"cmd /c adb shell settings delete secure sysui_rounded_content_padding",
         true,
         {State::Reversible, QStringLiteral("settings put secure sysui_rounded_content_padding 8"),
          QStringLiteral("8")}},
        {u"cmd /c adb shell wm density 420",
         true,
         {State::Reversible, QStringLiteral("wm density 400"), QStringLiteral("400")}},
        {u"cmd /c adb shell wm density reset",
         true,
         {State::Reversible, QStringLiteral("wm density 400"), QStringLiteral("400")}},
        {u"cmd /c adb shell wm density 420",
         false,
         {State::OldValueUnknown, QStringLiteral("wm density reset"), QStringLiteral("默认")}},
        {u"cmd /c adb shell wm size 720x1600",
         true,
         {State::Reversible, QStringLiteral("wm size reset"), QStringLiteral("默认（1080x2400）")}},
        {u"cmd /c adb shell wm size reset", true, {State::Unchanged, {}, {}}},
        {u"cmd /c adb shell wm overscan 0,0,0,10",
         true,
         {State::OldValueUnknown, QStringLiteral("wm overscan reset"), QStringLiteral("默认")}},
        {u"cmd /c adb shell dumpsys battery set level 50",
         false,
         {State::Reversible, QStringLiteral("dumpsys battery reset"),
          QStringLiteral("实际电池状态")}},
        {u"cmd /k adb install \"C:\\File\\a.apk\" && COLOR 3f", true, {}},
        {u"cmd /k adb shell pm uninstall com.on", true, {}},
        {u"cmd /k adb shell pm clear com.on", true, {}},
        {u"cmd /c adb push \"a.txt\"   \"/sdcard/x\"", true, {}},
        {u"cmd /k fastboot flash boot \"boot.img\"&& COLOR 3f", true, {}},
        {u"cmd /c adb reboot", true, {}},
        {u"cmd /c adb shell input keyevent 4", true, {}},
        {u"cmd /c adb shell /system/bin/screencap -p /sdcard/screen.png", true, {}},
    };
    for (const Row& row : rows) {
        const QString line = QString::fromUtf16(row.line);
        EXPECT_EQ(reversalOf(line, row.known ? before() : DeviceSnapshot{}), row.expected)
            << line.toStdString();
    }
}

// What the device holds after a change, so that the next change of the same value reverses to it.
TEST(Reversal, ChangesApplyToTheSnapshot) {
    DeviceSnapshot snapshot = before();
    for (const char16_t* line :
         {u"cmd /c adb shell pm disable-user com.on",
          u"cmd /c adb shell settings put global policy_control a=b",
          u"cmd /c adb shell settings delete secure clock_seconds",
          u"cmd /c adb shell wm density 420", u"cmd /c adb shell wm size reset"}) {
        applyChange(QString::fromUtf16(line), snapshot);
    }
    DeviceSnapshot expected = before();
    expected.disabledPackages->insert(QStringLiteral("com.on"));
    expected.enabledPackages->remove(QStringLiteral("com.on"));
    expected.settings.insert(QStringLiteral("global/policy_control"), QStringLiteral("a=b"));
    expected.settings.insert(QStringLiteral("secure/clock_seconds"), std::nullopt);
    expected.density->override = QStringLiteral("420");
    EXPECT_EQ(snapshot, expected);
}

// A reversing command read back from a journal file is checked again before it runs.
TEST(Reversal, ReversingCommandsFromAFile) {
    const struct {
        const char16_t* stored;
        const char16_t* runs; // null: refused
    } rows[] = {
        {u"pm enable com.on", u"adb shell pm enable com.on"},
        {u"settings put system font_scale '1.1 x'",
         u"adb shell settings put system font_scale '1.1 x'"},
        {u"wm density reset", u"adb shell wm density reset"},
        {u"pm uninstall com.on", nullptr},
        {u"settings put global x 1;reboot", nullptr},
        {u"pm enable -k", nullptr},
        {u"settings put global x '%PATH%'", nullptr},
        {u"reboot", nullptr},
    };
    for (const auto& row : rows) {
        const std::optional<Command> command = reversingCommand(QString::fromUtf16(row.stored));
        ASSERT_EQ(command.has_value(), row.runs != nullptr)
            << QString::fromUtf16(row.stored).toStdString();
        if (command) {
            EXPECT_EQ(command->text(), QString::fromUtf16(row.runs));
        }
    }
}

TEST(Reversal, FileNamesOfSerials) {
    const struct {
        std::optional<QString> serial;
        const char16_t* name;
    } rows[] = {
        {QStringLiteral("192.168.1.5:5555"), u"192.168.1.5%3A5555.jsonl"},
        {QStringLiteral("R58M_1-a"), u"R58M_1-a.jsonl"},
        {std::nullopt, u"(no-device).jsonl"},
        {QStringLiteral("a/b\\c %"), u"a%2Fb%5Cc%20%25.jsonl"},
        {QStringLiteral("con"), u"%63on.jsonl"},
        {QStringLiteral("COM1.x"), u"%43OM1.x.jsonl"},
        {QStringLiteral("é"), u"%C3%A9.jsonl"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fileNameFor(row.serial).toStdString(),
                  QString::fromUtf16(row.name).toStdString());
    }
}

} // namespace
} // namespace kavu::journal
