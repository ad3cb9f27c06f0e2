#include "tests/kit/Process.h"

#include <algorithm>
#include <map>

#include "base/Handles.h"
#include "tests/kit/Dialogs.h"

namespace tarn::test {

WStringList RunResult::DialogTexts() const {
    WStringList texts;
    for (const auto& dialog : dialogs) texts.push_back(dialog.text);
    return texts;
}

namespace {

struct NoCaseLess {
    bool operator()(const WString& a, const WString& b) const { return _wcsicmp(a.c_str(), b.c_str()) < 0; }
};

// The current environment with the overrides applied, as a CreateProcessW block.
std::vector<wchar_t> EnvironmentBlock(const std::vector<std::pair<WString, WString>>& overrides) {
    std::map<WString, WString, NoCaseLess> variables;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
        const WString text = entry;
        const size_t equals = text.find(L'=', 1);
        if (equals != WString::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    FreeEnvironmentStringsW(block);
    for (const auto& [name, value] : overrides) {
        if (value.empty()) variables.erase(name);
        else variables[name] = value;
    }
    std::vector<wchar_t> result;
    for (const auto& [name, value] : variables) {
        const WString entry = name + L"=" + value;
        result.insert(result.end(), entry.begin(), entry.end());
        result.push_back(L'\0');
    }
    result.push_back(L'\0');
    return result;
}

// A handle the child inherits, none for no name; readable too ("CONOUT$": GetConsoleMode needs it).
HANDLE OpenForChild(const WString& name, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return name.empty() ? nullptr : CreateFileW(name.c_str(), GENERIC_READ | (write ? GENERIC_WRITE : 0),
        FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, write && name != L"CONOUT$" ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
}

}  // namespace

ChildProcess::ChildProcess(const WString& program, const WString& arguments, const RunOptions& options) {
    WString commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    std::vector<wchar_t> environment = EnvironmentBlock(options.environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HandleHolder output(OpenForChild(options.outputFile, true)), error(OpenForChild(options.errorFile, true)),
        input(OpenForChild(options.inputFile, false));
    const bool redirected = output || error || input;
    if (redirected) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output.get();
        if (error) startup.hStdError = error.get();
        startup.hStdInput = input.get();
    }
    PROCESS_INFORMATION started{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, redirected, CREATE_UNICODE_ENVIRONMENT,
                       environment.data(), options.workingFolder.empty() ? nullptr : options.workingFolder.c_str(),
                       &startup, &started)) {
        CloseHandle(started.hThread);
        process_ = started.hProcess;
        id_ = started.dwProcessId;
    }
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
            SeenDialog seen{dialog, WindowText(dialog), MessageBoxText(dialog)};
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

RunResult RunProgram(const WString& program, const WString& arguments, const RunOptions& options) {
    ChildProcess child(program, arguments, options);
    return child.Wait(options);
}

}  // namespace tarn::test
