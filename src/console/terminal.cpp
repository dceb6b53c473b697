#include "console/terminal.h"

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "console/builtins.h"
#include "console/color.h"

namespace kavu::console {

Terminal Terminal::attachTo(int fd) {
    Terminal terminal;
    if (fd >= 0 && ::isatty(fd) == 1) {
        terminal.m_fd = Descriptor(::fcntl(fd, F_DUPFD_CLOEXEC, 3));
    }
    return terminal;
}

Terminal::~Terminal() {
    restore();
}

void Terminal::send(std::string_view text) {
    if (present()) {
        writeAll(m_fd.get(), text);
    }
}

void Terminal::setTitle(std::string_view title) {
    send(titleSequence(m_titleTag.empty() ? std::string(title)
                                          : std::string(title) + " - " + m_titleTag));
}

void Terminal::setColors(int background, int foreground) {
    if (!present()) {
        return;
    }
    send(colorSequence(background, foreground));
    m_colorsChanged = true;
}

void Terminal::resetColors() {
    if (m_colorsChanged) {
        send(kColorRestoreSequence);
        m_colorsChanged = false;
    }
}

void Terminal::restore() {
    resetColors();
}

void waitForKey(int fd, const std::function<void()>& prompt) {
    char buffer[16];
    termios saved{};
    if (::isatty(fd) == 1 && ::tcgetattr(fd, &saved) == 0) {
        termios raw = saved;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        ::tcsetattr(fd, TCSANOW, &raw);
        prompt();
        // One read takes the whole sequence a key sends (arrows, UTF-8 characters).
        (void)::read(fd, buffer, sizeof buffer);
        ::tcsetattr(fd, TCSANOW, &saved);
        return;
    }
    prompt();
    ssize_t n = 0;
    do {
        n = ::read(fd, buffer, 1);
    } while (n < 0 && errno == EINTR);
}

} // namespace kavu::console
