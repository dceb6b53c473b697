#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kavu::platform {

// The environment a console starts with: own ("NAME=value" entries, ended by a null pointer like
// environ) without ANDROID_SERIAL and without any variable whose name begins with "^", plus
// ANDROID_SERIAL=serial when a device is chosen, and ADB_SERVER_SOCKET=serverSocket in place of
// own's when one is given (an empty one: left out), and KAVU_TITLE_TAG=titleTag when given (the
// console then names it in its title: one of several consoles started for every device). Typed
// phone text writes each space "%^s" on the console line, and the interpreter would expand "%^s…%"
// if a variable of such a name existed. Consoles always run in UTF-8, the encoding of every line
// and of kavu-cmd's own text: when the character set own selects (LC_ALL, else LC_CTYPE, else LANG)
// is another, LC_ALL (when it is the one that decides) or else LC_CTYPE is set to C.UTF-8.
std::vector<std::string>
consoleEnvironment(const char* const* own, const std::optional<std::string>& serial,
                   const std::optional<std::string>& serverSocket = std::nullopt,
                   const std::optional<std::string>& titleTag = std::nullopt);

} // namespace kavu::platform
