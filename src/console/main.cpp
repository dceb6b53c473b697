// kavu-cmd: the command interpreter that Kavu's consoles run on Linux.
//   kavu-cmd /c TEXT   runs TEXT and ends with its status
//   kavu-cmd /k TEXT   runs TEXT, then reads further lines at a prompt until EXIT
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "console/session.h"

namespace {

// Ctrl+C ends the running program, not the interpreter: the interpreter only notices the
// interruption (a wait or a read returns early).
void noticeInterrupt(int) {}

void keepStandardHandlesOpen() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) < 0) {
            const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (opened >= 0 && opened != fd) {
                ::dup2(opened, fd);
                ::close(opened);
            }
        }
    }
}

std::string currentFolder() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (buffer.size() > (1U << 20)) {
            return "/";
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

} // namespace

int main(int argc, char** argv) {
    using namespace kavu::console;
    keepStandardHandlesOpen();

    struct sigaction interrupt {};
    interrupt.sa_handler = noticeInterrupt;
    sigemptyset(&interrupt.sa_mask);
    ::sigaction(SIGINT, &interrupt, nullptr);

    const Invocation invocation = parseInvocation(std::vector<std::string>(argv + 1, argv + argc));

    InterpreterSetup setup;
    setup.currentFolder = currentFolder();
    const char* path = std::getenv("PATH");
    setup.searchPath = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    // Kavu names its program folder, where the adb and fastboot that passed its start-up check
    // stand: it is searched before PATH, whatever folder the console works in.
    if (const char* tools = std::getenv("KAVU_TOOLS"); tools != nullptr && *tools != '\0') {
        setup.searchPath = std::string(tools) + ':' + setup.searchPath;
    }
    setup.terminal =
        Terminal::attachTo(::isatty(STDOUT_FILENO) == 1 ? STDOUT_FILENO : STDERR_FILENO);
    // One of the consoles started for every device: its title names the device from the start.
    if (const char* tag = std::getenv("KAVU_TITLE_TAG"); tag != nullptr && *tag != '\0') {
        setup.terminal.setTitleTag(tag);
        setup.terminal.setTitle("cmd");
    }
    setup.environment = [](std::string_view name) -> std::optional<std::string> {
        const char* value = std::getenv(std::string(name).c_str());
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::string(value);
    };

    // Kavu passes the language it speaks to every console it starts.
    setup.messages = &messagesFor(std::getenv("KAVU_LANG"));

    Interpreter interpreter(std::move(setup));
    return runSession(interpreter, invocation, STDIN_FILENO, STDOUT_FILENO);
}
