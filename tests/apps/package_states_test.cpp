#include "apps/package_list_file.h"
#include "apps/package_states.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavu::apps {
namespace {

using S = Standing;

// Each kind and state: its column text and the filters that list it (A all, S system, T third
// party, D disabled, U uninstalled), counted together.
TEST(PackageStates, EachStateIsShownAndFilteredAndCounted) {
    const struct {
        bool system;
        Standing standing;
        const char* text;
        const char* filters;
    } cases[] = {
        {true, S::Enabled, "系统", "AS"},
        {false, S::Enabled, "第三方", "AT"},
        {true, S::DisabledByUser, "系统，已停用（用户）", "ASD"},
        {false, S::DisabledByOther, "第三方，已停用（系统或其他工具）", "ATD"},
        {false, S::Disabled, "第三方，已停用", "ATD"},
        {true, S::Uninstalled, "系统，已卸载（用户 0）", "ASU"},
    };
    const std::string letters = "ASTDU";
    StateCounts counts;
    for (const auto& c : cases) {
        EXPECT_EQ(stateText(c.system, c.standing), c.text);
        std::string passed;
        for (std::size_t filter = 0; filter < kStateFilterCount; ++filter) {
            if (passes(static_cast<StateFilter>(filter), c.system, c.standing)) {
                passed += letters[filter];
            }
        }
        EXPECT_EQ(passed, c.filters) << c.text;
        counts.add(c.system, c.standing);
    }
    counts.remove(true, S::DisabledByUser);
    counts.add(true, S::Enabled); // the system package enabled again
    const std::vector<std::size_t> expected = {6, 3, 3, 2, 1};
    for (std::size_t filter = 0; filter < kStateFilterCount; ++filter) {
        EXPECT_EQ(counts.of(static_cast<StateFilter>(filter)), expected[filter]) << filter;
    }
}

// A package's state read again after its change says whether the change took.
TEST(PackageStates, OutcomeOfAChange) {
    const struct {
        PackageAction action;
        int exitCode;
        std::optional<Standing> after;
        Outcome outcome;
    } cases[] = {
        {PackageAction::Freeze, 0, S::DisabledByUser, Outcome::Done},
        // Disabled, but not by the user: the phone kept its own state.
        {PackageAction::Freeze, 0, S::DisabledByOther, Outcome::NoEffect},
        {PackageAction::Freeze, 1, S::Enabled, Outcome::Failed},
        {PackageAction::Unfreeze, 0, S::Enabled, Outcome::Done},
        {PackageAction::RemoveForUser0, 0, S::Uninstalled, Outcome::Done},
        {PackageAction::Reinstall, 0, S::DisabledByUser, Outcome::Done},
        {PackageAction::Reinstall, 0, S::Uninstalled, Outcome::NoEffect},
        {PackageAction::Unfreeze, 0, std::nullopt, Outcome::Unknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outcomeOf(c.action, c.exitCode, c.after), c.outcome)
            << static_cast<int>(c.action) << ' ' << c.exitCode;
    }
}

// A list file is data: comments, blanks and Windows line ends are allowed, each name is taken
// once, and a line that is not a package name is skipped and counted.
TEST(PackageListFile, NamesAreReadAndBadLinesCounted) {
    const struct {
        std::string text;
        std::vector<std::string> names;
        std::size_t invalid;
    } cases[] = {
        {"", {}, 0},
        {"\xEF\xBB\xBF# exported\r\ncom.a\r\n\r\n  com.b  # the maps\ncom.a\ncom.c",
         {"com.a", "com.b", "com.c"},
         0},
        {"com.a;reboot\n-rf\ncom.a b\n$(id)\n名字\ncom.d\n", {"com.d"}, 5},
        {std::string(300, 'a') + "\n#" + std::string(300, 'b') + "\n", {}, 1},
    };
    for (const auto& c : cases) {
        const ListFile file = readListFile(c.text);
        EXPECT_EQ(file.names, c.names) << c.text;
        EXPECT_EQ(file.invalidLines, c.invalid) << c.text;
    }
    const std::vector<std::string> names = {"com.a", "com.b"};
    EXPECT_EQ(readListFile(listFileText(names)).names, names);
}

} // namespace
} // namespace kavu::apps
