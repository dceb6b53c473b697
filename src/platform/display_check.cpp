#include "platform/display_check.h"

#include <QDir>
#include <QLibraryInfo>

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace kavu::platform {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// Qt takes its own options with one dash or two.
bool isOption(std::string_view argument, std::string_view name) {
    if (argument.starts_with("--")) {
        argument.remove_prefix(1);
    }
    return argument == name;
}

// The one line that says that display cannot be reached ("" when none is named). It is written
// before Qt, and its translations, are there.
std::string noDisplayMessage(const std::string& display, bool english) {
    if (display.empty()) {
        return english ? "Kavu needs a graphical desktop: no display to connect to (DISPLAY is not "
                         "set)"
                       : "Kavu 需要图形桌面：无法连接显示（没有设置 DISPLAY）";
    }
    return (english ? "Kavu needs a graphical desktop: cannot connect to display "
                    : "Kavu 需要图形桌面：无法连接显示 ") +
           display;
}

} // namespace

GraphicsSettings currentGraphicsSettings(int argc, const char* const* argv) {
    GraphicsSettings settings{.qpaPlatform = environmentValue("QT_QPA_PLATFORM"),
                              .sessionType = environmentValue("XDG_SESSION_TYPE"),
                              .waylandDisplay = environmentValue("WAYLAND_DISPLAY"),
                              .display = environmentValue("DISPLAY")};
    // Without Qt's Wayland plugin (qt6-wayland) a Wayland session falls back to X. Looked for only
    // in a Wayland session: on X the start does not list the plugin folder.
    if (settings.sessionType == "wayland" || !settings.waylandDisplay.empty()) {
        const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                             QStringLiteral("/platforms"));
        settings.waylandPlugin =
            !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
    }
    for (int i = 1; i + 1 < argc; ++i) {
        if (isOption(argv[i], "-platform")) {
            settings.platformArgument = argv[i + 1];
        } else if (isOption(argv[i], "-display")) {
            settings.displayArgument = argv[i + 1];
        }
    }
    return settings;
}

std::optional<std::string> x11DisplayFor(const GraphicsSettings& settings) {
    const bool waylandSession =
        settings.sessionType == "wayland" || !settings.waylandDisplay.empty();
    std::string_view plugins = waylandSession ? "wayland;xcb" : "xcb";
    if (!settings.platformArgument.empty()) {
        plugins = settings.platformArgument;
    } else if (!settings.qpaPlatform.empty()) {
        plugins = settings.qpaPlatform;
    }
    while (!plugins.empty()) {
        const std::size_t end = plugins.find(';');
        const std::string_view entry = plugins.substr(0, end);
        plugins = end == std::string_view::npos ? std::string_view() : plugins.substr(end + 1);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb") {
            return settings.displayArgument.empty() ? settings.display : settings.displayArgument;
        }
        // Without a Wayland session, or without the plugin, Qt goes on to the next one.
        if (!name.starts_with("wayland") || (waylandSession && settings.waylandPlugin)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

DisplayCheck::DisplayCheck(int argc, const char* const* argv, bool english) {
    const std::optional<std::string> display = x11DisplayFor(currentGraphicsSettings(argc, argv));
    if (!display) {
        return;
    }
    if (!display->empty()) {
        m_connection = xcb_connect(display->c_str(), nullptr);
        if (xcb_connection_has_error(m_connection) == 0) {
            return;
        }
        close();
    }
    m_problem = noDisplayMessage(*display, english);
}

DisplayCheck::~DisplayCheck() {
    close();
}

void DisplayCheck::close() {
    if (m_connection != nullptr) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
    }
}

} // namespace kavu::platform
