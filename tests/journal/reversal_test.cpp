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
    snapshot.settings.insert(QStringLiteral("secure/icon_blacklist"), QStringLiteral("it's a b"));
    snapshot.settings.insert(QStringLiteral("global/policy_control"), std::nullopt);
    snapshot.settings.insert(QStringLiteral("secure/clock_seconds"), QStringLiteral("0"));
    snapshot.settings.insert(QStringLiteral("secure/sysui_rounded_content_padding"),
                             QStringLiteral("8"));
    snapshot.settings.insert(QStringLiteral("global/window_animation_scale"),
                             QStringLiteral("1%calc%"));
    snapshot.density = WmValue{QStringLiteral("440"), QStringLiteral("400")};
    snapshot.size = WmValue{QStringLiteral("1080x2400"), std::nullopt};
    snapshot.packages = QHash<QString, PackageState>{
        {QStringLiteral("com.on"), PackageState::Enabled},
        {QStringLiteral("com.frozen"), PackageState::DisabledUser},
        {QStringLiteral("com.system.off"), PackageState::Disabled},
        {QStringLiteral("com.gone"), PackageState::NotInstalled},
    };
    return snapshot;
}

Change package(const char16_t* name, PackageState state) {
    return Change::package(QString::fromUtf16(name), state);
}

struct Row {
    Change change;
    bool known; // the snapshot above, else nothing known
    State state;
    const char16_t* command; // as shown; empty for none
    const char16_t* restores;
};

// The reversing rules, row by row, on the declared change and what the phone held before it.
TEST(Reversal, OfEachChange) {
    const auto setting = [](const char16_t* space, const char16_t* key,
                            std::optional<QString> value) {
        return Change::setting(QString::fromUtf16(space), QString::fromUtf16(key),
                               std::move(value));
    };
    const Row rows[] = {
        {package(u"com.on", PackageState::DisabledUser), true, State::Reversible,
         u"pm enable com.on", u"已启用"},
        {package(u"com.frozen", PackageState::DisabledUser), true, State::Unchanged, u"", u""},
        {package(u"com.frozen", PackageState::Enabled), true, State::Reversible,
         u"pm disable-user com.frozen", u"已停用"},
        // Disabled by the system: adb's shell cannot put it back so.
        {package(u"com.system.off", PackageState::Enabled), true, State::Irreversible, u"", u""},
        // Already removed for the user: the uninstall changes nothing.
        {package(u"com.gone", PackageState::NotInstalled), true, State::Unchanged, u"", u""},
        {package(u"com.on", PackageState::NotInstalled), true, State::Reversible,
         u"cmd package install-existing com.on", u"已安装"},
        {package(u"com.frozen", PackageState::NotInstalled), true, State::Reversible,
         u"cmd package install-existing com.frozen && pm disable-user com.frozen",
         u"已安装，已停用"},
        {package(u"com.on", PackageState::Removed), true, State::Irreversible, u"", u""},
        {Change::package(QStringLiteral("com.gone"), PackageState::Enabled, true), true,
         State::Reversible, u"pm uninstall -k --user 0  com.gone", u"已卸载（用户 0）"},
        {package(u"com.absent", PackageState::DisabledUser), true, State::OldValueUnknown, u"",
         u""},
        {package(u"com.on", PackageState::NotInstalled), false, State::OldValueUnknown, u"", u""},
        // An old value with a quote in it goes back as the phone's shell reads it.
        {setting(u"secure", u"icon_blacklist", QStringLiteral("rotate,")), true, State::Reversible,
         u"settings put secure icon_blacklist 'it'\\''s a b'", u"it's a b"},
        {setting(u"global", u"policy_control", QStringLiteral("immersive.status=*")), true,
         State::Reversible, u"settings delete global policy_control", u"（无值）"},
        {setting(u"secure", u"clock_seconds", QStringLiteral("0")), true, State::Unchanged, u"",
         u""},
        {setting(u"secure", u"sysui_qqs_count", QStringLiteral("5")), true, State::OldValueUnknown,
         u"", u""},
        {setting(u"secure", u"sysui_rounded_content_padding", std::nullopt), true,
         State::Reversible, u"settings put secure sysui_rounded_content_padding 8", u"8"},
        // An old value the console could not be given back safely.
        {setting(u"global", u"window_animation_scale", QStringLiteral("0.5")), true,
         State::OldValueUnknown, u"", u""},
        {Change::density(QStringLiteral("420")), true, State::Reversible, u"wm density 400",
         u"400"},
        {Change::density(std::nullopt), true, State::Reversible, u"wm density 400", u"400"},
        {Change::density(QStringLiteral("420")), false, State::OldValueUnknown, u"wm density reset",
         u"默认"},
        {Change::size(QStringLiteral("720x1600")), true, State::Reversible, u"wm size reset",
         u"默认（1080x2400）"},
        {Change::size(std::nullopt), true, State::Unchanged, u"", u""},
        {Change::overscan(QStringLiteral("0,0,0,10")), true, State::OldValueUnknown,
         u"wm overscan reset", u"默认"},
        {Change::battery(QStringLiteral("level 50")), false, State::Reversible,
         u"dumpsys battery reset", u"实际电池状态"},
        {Change::battery(std::nullopt), true, State::Irreversible, u"", u""},
        {Change{}, true, State::Irreversible, u"", u""},
    };
    for (const Row& row : rows) {
        const Reversal reversal = reversalOf(row.change, row.known ? before() : DeviceSnapshot{});
        const std::string what =
            QString(row.change.key + u' ' + row.change.value.value_or(QStringLiteral("-")))
                .toStdString();
        EXPECT_EQ(reversal.state, row.state) << what;
        EXPECT_EQ(reversal.command, QString::fromUtf16(row.command)) << what;
        EXPECT_EQ(reversal.restores, QString::fromUtf16(row.restores)) << what;
        // What is shown is what runs.
        const std::optional<Command> runs = reversingCommand(reversal);
        EXPECT_EQ(runs ? runs->text() : QString(),
                  reversal.command.isEmpty()
                      ? QString()
                      : QStringLiteral("adb shell ") +
                            QString(reversal.command)
                                .replace(QStringLiteral("&& "), QStringLiteral("&& adb shell ")))
            << what;
    }
}

// What the device holds after a change, so that the next change of the same value reverses to it.
TEST(Reversal, ChangesApplyToTheSnapshot) {
    DeviceSnapshot snapshot = before();
    for (const Change& change :
         {package(u"com.on", PackageState::DisabledUser),
          package(u"com.frozen", PackageState::Removed),
          Change::setting(QStringLiteral("global"), QStringLiteral("policy_control"),
                          QStringLiteral("a=b")),
          Change::setting(QStringLiteral("secure"), QStringLiteral("clock_seconds"), std::nullopt),
          Change::density(QStringLiteral("420")), Change::size(std::nullopt)}) {
        applyChange(change, snapshot);
    }
    DeviceSnapshot expected = before();
    expected.packages->insert(QStringLiteral("com.on"), PackageState::DisabledUser);
    expected.packages->remove(QStringLiteral("com.frozen"));
    expected.settings.insert(QStringLiteral("global/policy_control"), QStringLiteral("a=b"));
    expected.settings.insert(QStringLiteral("secure/clock_seconds"), std::nullopt);
    expected.density->override = QStringLiteral("420");
    EXPECT_EQ(snapshot, expected);
}

// A reversal read back from a journal file is data: its change is checked again before it runs.
TEST(Reversal, ReversingCommandsFromAFileAreCheckedAgain) {
    const auto undoing = [](Change change) {
        Reversal reversal;
        reversal.state = State::Reversible;
        reversal.undo = std::move(change);
        return reversal;
    };
    for (const Change& refused :
         {package(u"com.on;reboot", PackageState::Enabled),
          package(u"-k", PackageState::DisabledUser),
          Change::setting(QStringLiteral("global"), QStringLiteral("x 1;reboot"),
                          QStringLiteral("1")),
          Change::setting(QStringLiteral("global"), QStringLiteral("x"), QStringLiteral("%PATH%")),
          Change::density(QStringLiteral("400&reboot"))}) {
        EXPECT_FALSE(reversingCommand(undoing(refused)))
            << QString(refused.key + u' ' + refused.value.value_or(QString())).toStdString();
    }
    EXPECT_FALSE(reversingCommand(Reversal{}));
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
