#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "console/process.h"

// The terminal the interpreter shows in, if any: window title, colours and clearing go here even
// when the command's output is redirected.
namespace kavu::console {

class Terminal {
public:
    // No terminal: title and colour changes are dropped.
    Terminal() = default;
    // Takes its own copy of fd when it is a terminal.
    static Terminal attachTo(int fd);

    Terminal(Terminal&&) = default;
    Terminal& operator=(Terminal&&) = default;
    ~Terminal();

    bool present() const { return m_fd.get() >= 0; }
    // A tag every title ends with from now on (" - TAG"), such as the device a console is for.
    void setTitleTag(std::string tag) { m_titleTag = std::move(tag); }
    void setTitle(std::string_view title);
    void setColors(int background, int foreground);
    // Back to the terminal's own colours.
    void resetColors();
    // Undoes the colour change, if any; called when the interpreter ends.
    void restore();

private:
    void send(std::string_view text);

    Descriptor m_fd;
    bool m_colorsChanged = false;
    std::string m_titleTag;
};

// Shows the prompt and waits for one key on fd: in raw mode (no echo, no line editing) when fd is
// a terminal, switched on before the prompt shows so that no early key is echoed; else one byte.
// Returns at once at end of input.
void waitForKey(int fd, const std::function<void()>& prompt);

} // namespace kavu::console
