#pragma once

#include "app/command.h"
#include "core/launch.h"
#include "platform/services.h"

#include <QString>

namespace kavu {

// One start of a line: what runs and how it is shown, on which phone through which server, what
// it changes there and who asked for it.
struct Start {
    QString line;
    launch::WindowMode mode;
    StartEnvironment environment;
    Change change;
    Origin origin;
};

} // namespace kavu
