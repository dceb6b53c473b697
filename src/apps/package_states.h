#pragma once

#include "app/change.h"
#include "apps/apps_commands.h"
#include "core/shown_text.h"
#include "devices/package_list.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

// The rules of the package list's states: what each row shows, which rows each state filter lets
// through and how many, how rows sort by state, and what a change made of a package once its state
// was read again. No widgets here; UTF-8 texts.
namespace kavu::apps {

// A package's state for the phone's user 0, as the list shows it.
enum class Standing {
    Enabled,
    // Disabled by the user ("disabled-user"), as a freeze leaves it.
    DisabledByUser,
    // Disabled by the system or by another tool.
    DisabledByOther,
    // Disabled; which way is not read (yet).
    Disabled,
    // Removed for user 0 and kept on the phone.
    Uninstalled,
};

// What the package manager's listings tell: a disabled package's kind is read on its own.
Standing standingOf(const adb::Package& package);
// What a package's own read ("dumpsys package NAME") tells.
Standing standingOf(PackageState state);

bool isDisabled(Standing standing);

// The state column: 系统 or 第三方, then how it is disabled, or 已卸载（用户 0）.
std::string stateText(bool system, Standing standing, Translate shown = sourceText);

// The state filters beside the text filter, in the order they are shown.
enum class StateFilter { All, System, ThirdParty, Disabled, Uninstalled };
inline constexpr std::size_t kStateFilterCount = 5;

// Whether a package of this kind and state is listed under the filter. A disabled package is
// listed under 已停用 whichever way it was disabled; one removed for the user only under 已卸载.
bool passes(StateFilter filter, bool system, Standing standing);

// How many packages each filter lets through, kept up to date as packages change state.
class StateCounts {
public:
    void add(bool system, Standing standing);
    void remove(bool system, Standing standing);
    std::size_t of(StateFilter filter) const { return m_counts[static_cast<std::size_t>(filter)]; }
    void clear() { m_counts = {}; }

private:
    std::array<std::size_t, kStateFilterCount> m_counts{};
};

// Where a state sorts: enabled, disabled by the user, by another, not known how, removed.
int sortRank(Standing standing);

// What a package's change came to, once its run ended and its state was read again.
enum class Outcome {
    Done,     // the package is in the state the action leaves
    Failed,   // the run ended with an error: the phone's words say why
    NoEffect, // the run ended well, yet the package is not in that state
    Unknown,  // the run ended well; the state could not be read again
};
Outcome outcomeOf(PackageAction action, int exitCode, std::optional<Standing> after);

} // namespace kavu::apps
