#include "apps/package_states.h"

namespace kavu::apps {

Standing standingOf(const adb::Package& package) {
    if (package.uninstalledForUser) {
        return Standing::Uninstalled;
    }
    return package.disabled ? Standing::Disabled : Standing::Enabled;
}

Standing standingOf(PackageState state) {
    switch (state) {
    case PackageState::Enabled:
        return Standing::Enabled;
    case PackageState::DisabledUser:
        return Standing::DisabledByUser;
    case PackageState::Disabled:
        return Standing::DisabledByOther;
    case PackageState::NotInstalled:
    case PackageState::Removed:
        break;
    }
    return Standing::Uninstalled;
}

bool isDisabled(Standing standing) {
    return standing == Standing::DisabledByUser || standing == Standing::DisabledByOther ||
           standing == Standing::Disabled;
}

std::string stateText(bool system, Standing standing, Translate shown) {
    std::string text = shown(system ? KAVU_TEXT("kavu", "系统") : KAVU_TEXT("kavu", "第三方"));
    switch (standing) {
    case Standing::Enabled:
        break;
    case Standing::DisabledByUser:
        text += shown(KAVU_TEXT("kavu", "，已停用（用户）"));
        break;
    case Standing::DisabledByOther:
        text += shown(KAVU_TEXT("kavu", "，已停用（系统或其他工具）"));
        break;
    case Standing::Disabled:
        text += shown(KAVU_TEXT("kavu", "，已停用"));
        break;
    case Standing::Uninstalled:
        text += shown(KAVU_TEXT("kavu", "，已卸载（用户 0）"));
        break;
    }
    return text;
}

bool passes(StateFilter filter, bool system, Standing standing) {
    switch (filter) {
    case StateFilter::All:
        return true;
    case StateFilter::System:
        return system;
    case StateFilter::ThirdParty:
        return !system;
    case StateFilter::Disabled:
        return isDisabled(standing);
    case StateFilter::Uninstalled:
        return standing == Standing::Uninstalled;
    }
    return false;
}

void StateCounts::add(bool system, Standing standing) {
    for (std::size_t filter = 0; filter < kStateFilterCount; ++filter) {
        m_counts[filter] += passes(static_cast<StateFilter>(filter), system, standing) ? 1 : 0;
    }
}

void StateCounts::remove(bool system, Standing standing) {
    for (std::size_t filter = 0; filter < kStateFilterCount; ++filter) {
        m_counts[filter] -= passes(static_cast<StateFilter>(filter), system, standing) ? 1 : 0;
    }
}

int sortRank(Standing standing) {
    switch (standing) {
    case Standing::Enabled:
        return 0;
    case Standing::DisabledByUser:
        return 1;
    case Standing::DisabledByOther:
        return 2;
    case Standing::Disabled:
        return 3;
    case Standing::Uninstalled:
        return 4;
    }
    return 5;
}

Outcome outcomeOf(PackageAction action, int exitCode, std::optional<Standing> after) {
    if (exitCode != 0) {
        return Outcome::Failed;
    }
    if (!after) {
        return Outcome::Unknown;
    }
    bool reached = false;
    switch (action) {
    case PackageAction::Freeze:
        reached = *after == Standing::DisabledByUser;
        break;
    case PackageAction::Unfreeze:
        reached = *after == Standing::Enabled;
        break;
    case PackageAction::RemoveForUser0:
        reached = *after == Standing::Uninstalled;
        break;
    case PackageAction::Reinstall:
        reached = *after != Standing::Uninstalled;
        break;
    case PackageAction::ClearData:
    case PackageAction::Uninstall:
    case PackageAction::ForceStop:
        // Not offered on the list: nothing its state tells.
        return Outcome::Unknown;
    }
    return reached ? Outcome::Done : Outcome::NoEffect;
}

} // namespace kavu::apps
