#include "platform/process_starter.h"
#include "platform/shown_text.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace kavu {

namespace {

// A handle closed when it goes out of scope.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle)
        : m_handle(handle) {}
    ~OwnedHandle() {
        if (valid()) {
            CloseHandle(m_handle);
        }
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    bool valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// An inheritable handle on the null device.
HANDLE openNullDevice(DWORD access) {
    SECURITY_ATTRIBUTES security{};
    security.nLength = sizeof security;
    security.lpSecurityDescriptor = nullptr;
    security.bInheritHandle = TRUE;
    return CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &security, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A process attribute list that lets a child inherit the given handles and no other inheritable
// handle of ours. list() is null when it could not be built.
class InheritOnly {
public:
    explicit InheritOnly(std::vector<HANDLE> handles)
        : m_handles(std::move(handles)) {
        SIZE_T size = 0;
        // Asking with no list fails by design and tells the size needed.
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        if (size == 0) {
            return;
        }
        m_storage.resize(size);
        auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_storage.data());
        if (!InitializeProcThreadAttributeList(list, 1, 0, &size)) {
            return;
        }
        // The list keeps a pointer to m_handles, which lives as long as it does.
        if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, m_handles.data(),
                                       m_handles.size() * sizeof(HANDLE), nullptr, nullptr)) {
            DeleteProcThreadAttributeList(list);
            return;
        }
        m_list = list;
    }
    ~InheritOnly() {
        if (m_list != nullptr) {
            DeleteProcThreadAttributeList(m_list);
        }
    }
    InheritOnly(const InheritOnly&) = delete;
    InheritOnly& operator=(const InheritOnly&) = delete;

    LPPROC_THREAD_ATTRIBUTE_LIST list() const { return m_list; }

private:
    std::vector<HANDLE> m_handles;
    std::vector<unsigned char> m_storage;
    LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
};

// Our own environment block without ANDROID_SERIAL and without any variable whose name begins
// with "^", plus ANDROID_SERIAL=serial when one is given and ADB_SERVER_SOCKET=serverSocket in
// place of our own when one is given (an empty one: left out): "NAME=value" strings each ended by a
// null character, the block ended by one more. Names are compared without regard to case, as
// Windows does. Typed phone text writes each space "%^s" on the console line, and the interpreter
// would expand "%^s…%" if a variable of such a name existed.
std::wstring childEnvironment(const std::optional<QString>& serial,
                              const std::optional<QString>& serverSocket) {
    static constexpr std::wstring_view kVariable = L"ANDROID_SERIAL=";
    static constexpr std::wstring_view kServerVariable = L"ADB_SERVER_SOCKET=";
    const auto named = [](std::wstring_view text, std::wstring_view name) {
        return text.size() >= name.size() &&
               CompareStringOrdinal(text.data(), static_cast<int>(name.size()), name.data(),
                                    static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
    };
    std::wstring block;
    if (wchar_t* own = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = own; *entry != L'\0';) {
            const std::wstring_view text(entry);
            const bool isSerial = named(text, kVariable);
            const bool replacedServer = serverSocket && named(text, kServerVariable);
            const bool namedWithCaret = text.front() == L'^';
            if (!isSerial && !replacedServer && !namedWithCaret) {
                block.append(text);
                block.push_back(L'\0');
            }
            entry += text.size() + 1;
        }
        FreeEnvironmentStringsW(own);
    }
    if (serial) {
        block.append(kVariable);
        block.append(serial->toStdWString());
        block.push_back(L'\0');
    }
    if (serverSocket && !serverSocket->isEmpty()) {
        block.append(kServerVariable);
        block.append(serverSocket->toStdWString());
        block.push_back(L'\0');
    }
    if (block.empty()) {
        block.push_back(L'\0'); // an empty block still ends with two null characters
    }
    block.push_back(L'\0');
    return block;
}

// Reads a hidden run's pipe to its end, keeping the last bytes as its start asked, then waits for
// the run and reports how it ended. Owns both handles.
void watchHiddenRun(HANDLE process, HANDLE output, qsizetype kept,
                    const ProcessStarter::RunEnded& ended) {
    QByteArray tail;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(output, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        tail.append(chunk, static_cast<qsizetype>(got));
        if (tail.size() > 2 * kept) {
            tail.remove(0, tail.size() - kept);
        }
    }
    CloseHandle(output);
    if (tail.size() > kept) {
        tail.remove(0, tail.size() - kept);
    }
    WaitForSingleObject(process, INFINITE);
    DWORD exitCode = 0;
    const bool known = GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    if (ended) {
        ended({known ? static_cast<int>(exitCode) : -1, tail});
    }
}

} // namespace

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

bool SystemProcessStarter::launch(const QString& line, launch::WindowMode mode,
                                  const StartEnvironment& environment, RunEnded ended) {
    std::wstring commandLine = line.toStdWString();
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup.StartupInfo;
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
    // One of the consoles started for several phones: its first title names the phone.
    std::wstring title;
    if (!environment.titleTag.isEmpty()) {
        title = environment.titleTag.toStdWString();
        startup.StartupInfo.lpTitle = title.data();
    }
    DWORD flags = CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT;
    BOOL inheritHandles = FALSE;
    // Closed once the child has been created (it holds its own copies by then).
    std::optional<OwnedHandle> input;
    std::optional<OwnedHandle> output;
    std::optional<InheritOnly> inheritOnly;
    // A hidden run writes into a pipe whose far end we read.
    HANDLE pipeRead = nullptr;
    switch (mode) {
    case launch::WindowMode::Hidden:
        startup.StartupInfo.wShowWindow = SW_HIDE;
        flags = CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT;
        // No keyboard and no screen: standard input, output and error on the null device, so
        // that a pause (or anything else reading input) ends at once instead of waiting forever
        // on a console nobody can see.
        // Its output and errors go into a pipe of ours (the null device when there is none).
        input.emplace(openNullDevice(GENERIC_READ));
        {
            SECURITY_ATTRIBUTES security{};
            security.nLength = sizeof security;
            security.bInheritHandle = TRUE;
            HANDLE pipeWrite = nullptr;
            if (CreatePipe(&pipeRead, &pipeWrite, &security, 0) &&
                SetHandleInformation(pipeRead, HANDLE_FLAG_INHERIT, 0)) {
                output.emplace(pipeWrite);
            } else {
                for (HANDLE end : {pipeRead, pipeWrite}) {
                    if (end != nullptr) {
                        CloseHandle(end);
                    }
                }
                pipeRead = nullptr;
                output.emplace(openNullDevice(GENERIC_WRITE));
            }
        }
        if (input->valid() && output->valid()) {
            startup.StartupInfo.dwFlags |= STARTF_USESTDHANDLES;
            startup.StartupInfo.hStdInput = input->get();
            startup.StartupInfo.hStdOutput = output->get();
            startup.StartupInfo.hStdError = output->get();
            inheritHandles = TRUE;
            inheritOnly.emplace(std::vector<HANDLE>{input->get(), output->get()});
            if (inheritOnly->list() != nullptr) {
                startup.StartupInfo.cb = sizeof startup;
                startup.lpAttributeList = inheritOnly->list();
                flags |= EXTENDED_STARTUPINFO_PRESENT;
            }
        }
        break;
    case launch::WindowMode::Normal:
        startup.StartupInfo.wShowWindow = SW_SHOWNORMAL;
        break;
    case launch::WindowMode::Minimized:
        startup.StartupInfo.wShowWindow = SW_SHOWMINIMIZED;
        break;
    }
    std::wstring block = childEnvironment(environment.serial, environment.serverSocket);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, inheritHandles, flags,
                        block.data(), nullptr, &startup.StartupInfo, &process)) {
        const DWORD error = GetLastError();
        if (pipeRead != nullptr) {
            CloseHandle(pipeRead);
        }
        m_report(shownText(KAVU_TEXT("kavu", "无法启动命令解释器（错误 %1）")).arg(error));
        return false;
    }
    CloseHandle(process.hThread);
    output.reset(); // the child holds its own end now: the pipe ends when the child's do
    if (pipeRead == nullptr) {
        CloseHandle(process.hProcess);
        return true;
    }
    // One thread per hidden run, asleep in ReadFile until the run writes or ends.
    std::thread([processHandle = process.hProcess, pipeRead,
                 kept = environment.outputKept > 0 ? environment.outputKept : qsizetype{0},
                 ended = m_deliveries.through(std::move(ended))] {
        watchHiddenRun(processHandle, pipeRead, kept, ended);
    }).detach();
    return true;
}

} // namespace kavu
