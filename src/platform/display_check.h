#pragma once

#include <optional>
#include <string>

struct xcb_connection_t;

// Whether the desktop can be reached before Qt tries: Qt ends the program with an abort when its
// platform plugin cannot connect, with a message about reinstalling. Linux and other X11 systems
// only; offscreen, Wayland and the other platforms are left to Qt.
namespace kavu::platform {

// What decides which platform plugin Qt loads and which X display it opens.
struct GraphicsSettings {
    std::string platformArgument{}; // -platform NAME on the command line
    std::string displayArgument{};  // -display NAME on the command line
    std::string qpaPlatform{};      // QT_QPA_PLATFORM
    std::string sessionType{};      // XDG_SESSION_TYPE
    std::string waylandDisplay{};   // WAYLAND_DISPLAY
    std::string display{};          // DISPLAY
    bool waylandPlugin = true;      // Qt's Wayland plugin is installed
};

// The settings of this process: its arguments (as main receives them) and its environment.
GraphicsSettings currentGraphicsSettings(int argc, const char* const* argv);

// The X display Qt will connect to ("" when none is named), or none when Qt will use another
// platform plugin: the first of the plugins named ("name:options;name…" from -platform, else
// QT_QPA_PLATFORM, else "wayland;xcb" in a Wayland session and "xcb" otherwise) that is not a
// Wayland plugin without a Wayland session decides.
std::optional<std::string> x11DisplayFor(const GraphicsSettings& settings);

// Opens the X display Qt will need, if it needs one, before Qt tries. The connection is held until
// close(): an X server whose last client leaves resets, and a connection made meanwhile (Qt's
// own, when Kavu is the server's only client) fails.
class DisplayCheck {
public:
    // english: the problem is told in English, else in Chinese.
    DisplayCheck(int argc, const char* const* argv, bool english);
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    // The line to print and end with when the display Qt needs cannot be opened.
    const std::optional<std::string>& problem() const { return m_problem; }
    // Call once Qt has its own connection.
    void close();

private:
    xcb_connection_t* m_connection = nullptr;
    std::optional<std::string> m_problem;
};

} // namespace kavu::platform
