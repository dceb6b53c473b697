#include "windows.h"

#include "shell/app.h"

namespace kavu {

void registerWindows(App& /*app*/) {}

} // namespace kavu
