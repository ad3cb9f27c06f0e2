#include "tests/kit/Process.h"

#include <algorithm>

#include "base/Environment.h"
#include "base/Handles.h"
#include "tests/kit/Dialogs.h"

namespace tarn::test {

namespace {

// The overrides set in this process while a child starts, which inherits them; put back after.
class EnvironmentOverride {
public:
    explicit EnvironmentOverride(const std::vector<std::pair<WString, WString>>& overrides) {
        for (const auto& [name, value] : overrides) {
            saved_.emplace_back(name, GetEnvironment(name));
            SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
        }
    }
    ~EnvironmentOverride() {
        for (auto at = saved_.rbegin(); at != saved_.rend(); ++at)
            SetEnvironmentVariableW(at->first.c_str(), at->second.empty() ? nullptr : at->second.c_str());
    }

private:
    std::vector<std::pair<WString, WString>> saved_;  // in the order set; an empty value: unset
};

// A handle the child inherits, none for no name; readable too ("CONOUT$": GetConsoleMode needs it).
HANDLE OpenForChild(const WString& name, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return name.empty() ? nullptr : CreateFileW(name.c_str(), GENERIC_READ | (write ? GENERIC_WRITE : 0),
        FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, write && name != L"CONOUT$" ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
}

}  // namespace

ChildProcess::ChildProcess(const WString& program, const WString& arguments, const RunOptions& options) {
    WString commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    const EnvironmentOverride environment(options.environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HandleHolder output(OpenForChild(options.outputFile, true)), error(OpenForChild(options.errorFile, true)),
        input(OpenForChild(options.inputFile, false));
    const bool redirected = output || error || input;
    if (redirected || options.noStandardHandles) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output.get();
        if (error) startup.hStdError = error.get();
        startup.hStdInput = input.get();
    }
    PROCESS_INFORMATION started{};
    // Wine on a busy machine now and then spawns no process at all (ERROR_INTERNAL_ERROR): once more then.
    for (int attempt = 0; attempt < 2 && process_ == nullptr; ++attempt) {
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, redirected, 0, nullptr,
                           options.workingFolder.empty() ? nullptr : options.workingFolder.c_str(), &startup, &started)) {
            CloseHandle(started.hThread);
            process_ = started.hProcess;
            id_ = started.dwProcessId;
        } else if ((startError_ = GetLastError()) != ERROR_INTERNAL_ERROR) {
            break;
        }
    }
}

ChildProcess::ChildProcess(DWORD processId, const WString& program)
    : process_(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId)),
      id_(processId) {
    wchar_t image[MAX_PATH * 4];
    DWORD length = MAX_PATH * 4;
    if (process_ == nullptr || (QueryFullProcessImageNameW(process_, 0, image, &length) &&
                                CompareStringOrdinal(image, length, program.c_str(), -1, TRUE) == CSTR_EQUAL))
        return;
    CloseHandle(process_);
    process_ = nullptr;
}

ChildProcess::~ChildProcess() {
    if (process_ == nullptr) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 0xDEAD);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

RunResult ChildProcess::Wait(const RunOptions& options) {
    RunResult result;
    if (process_ == nullptr) return result;
    std::vector<HWND> handled;
    const ULONGLONG deadline = GetTickCount64() + options.timeoutMs;
    while (WaitForSingleObject(process_, 50) == WAIT_TIMEOUT) {
        for (HWND dialog : FindDialogs(id_)) {
            if (std::find(handled.begin(), handled.end(), dialog) != handled.end()) continue;
            handled.push_back(dialog);
            SeenDialog seen{dialog, WindowText(dialog), ControlText(dialog, 65535)};
            result.dialogs.push_back(seen);
            if (!options.onDialog || !options.onDialog(seen)) PressButton(dialog, IDOK);
        }
        if (GetTickCount64() > deadline) {
            TerminateProcess(process_, 0xDEAD);
            WaitForSingleObject(process_, 5000);
            return result;
        }
    }
    result.finished = true;
    GetExitCodeProcess(process_, &result.exitCode);
    return result;
}

static BOOL WINAPI GoOnAfterCtrlC(DWORD event) { return event == CTRL_C_EVENT; }

void UseOwnConsole() {
    static const bool done = [] {
        FreeConsole();
        AllocConsole();
        ShowWindow(GetConsoleWindow(), SW_HIDE);
        return SetConsoleCtrlHandler(GoOnAfterCtrlC, TRUE) != FALSE;
    }();
    (void)done;
}

WString ConsoleScreenText() {
    HandleHolder screen(OpenForChild(L"CONOUT$", false));
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen.get(), &info);
    WString cells(info.dwSize.X * info.dwSize.Y, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen.get(), cells.data(), static_cast<DWORD>(cells.size()), COORD{0, 0}, &read);
    return cells.substr(0, read);
}

bool DeclineJreNotFound(const SeenDialog& seen) {
    if (seen.title != L"JRE Not Found") return false;
    PressButton(seen.window, IDCANCEL);
    return true;
}

}  // namespace tarn::test
