#pragma once

#include "app/command.h"
#include "core/launch.h"
#include "platform/services.h"

#include <QString>

#include <functional>
#include <optional>

namespace kavu {

// Hears how one started line ended, after the launcher's watcher did; none: it could not be
// started (the user has been told why).
using RunHeard = std::function<void(const std::optional<RunEnd>& end)>;

// One start of a line: what runs and how it is shown, on which phone through which server, what
// it changes there, who asked for it and who waits for its end (may be empty).
struct Start {
    QString line;
    launch::WindowMode mode;
    StartEnvironment environment;
    Change change;
    Origin origin;
    RunHeard heard;
};

} // namespace kavu
