#include "platform/process_starter.h"

#include <windows.h>

#include <string>

namespace kavu {

// Windows has no zombies to collect: closing the process handles is enough.
class ChildReaper {};

// On Windows the line goes to the real command interpreter, with the window show state asked for.
SystemProcessStarter::SystemProcessStarter(QString interpreterPath,
                                           std::optional<platform::Terminal> terminal,
                                           ErrorReport report)
    : m_interpreterPath(std::move(interpreterPath))
    , m_terminal(std::move(terminal))
    , m_report(std::move(report)) {}

SystemProcessStarter::~SystemProcessStarter() = default;

std::optional<platform::Terminal> SystemProcessStarter::findTerminal() {
    return std::nullopt;
}

void SystemProcessStarter::start(const QString& line, launch::WindowMode mode) {
    std::wstring commandLine = line.toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    DWORD flags = CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT;
    switch (mode) {
    case launch::WindowMode::Hidden:
        startup.wShowWindow = SW_HIDE;
        flags = CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT;
        break;
    case launch::WindowMode::Normal:
        startup.wShowWindow = SW_SHOWNORMAL;
        break;
    case launch::WindowMode::Minimized:
        startup.wShowWindow = SW_SHOWMINIMIZED;
        break;
    }
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        nullptr, &startup, &process)) {
        m_report(QStringLiteral("无法启动命令解释器（错误 %1）").arg(GetLastError()));
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace kavu
