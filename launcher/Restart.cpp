#include "launcher/Restart.h"

#include <windows.h>

#include <algorithm>

#include "base/Environment.h"
#include "base/Files.h"
#include "base/Handles.h"
#include "instance/SingleInstance.h"
#include "launcher/DiscoveryLog.h"
#include "launcher/Launcher.h"
#include "launcher/LifecycleRules.h"
#include "report/Reporter.h"

namespace tarn {
namespace {

// Marks a run in its environment rather than on its command line, so that a window's relaunch
// command (what a pinned taskbar button starts) stays the user's. A run takes it out of its own
// environment at once. Set by hand it can only turn restarts off: the count of restarts lives in the
// supervisor alone, and nothing from outside it reaches that count.
constexpr wchar_t kSupervisedRun[] = L"TARN_SUPERVISED_RUN";

// A program asking for a sixth restart within five minutes is in a loop, not updating itself (the
// limit message names these numbers).
constexpr size_t kMostRestarts = 5;
constexpr uint64_t kRestartWindowMs = 300'000;

constexpr unsigned kLimitReached = 290;
constexpr unsigned kRefusedForService = 291;
constexpr unsigned kNotExitCodes = 292;
constexpr unsigned kRunNotStarted = 295;

// Ctrl+C and Ctrl+Break reach the run on the same console, whose runtime answers them; the
// supervisor goes on waiting for the run's exit code. When the console or the session closes, the
// supervisor waits for the run to end: its main thread then returns, or the system ends it.
BOOL WINAPI LeaveConsoleEventsToTheRun(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
    Sleep(INFINITE);
    return TRUE;
}

void SetJobLimits(HANDLE job, DWORD flags) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = flags;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

// The runs and what they start end with the supervisor's last handle to this job: a supervisor that
// is killed leaves no run behind that nobody waits for.
HandleHolder RunsJob() {
    HandleHolder job(CreateJobObjectW(nullptr, nullptr));
    if (job) SetJobLimits(job.get(), JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_BREAKAWAY_OK);
    return job;
}

// The same executable and command line, in the folder and environment the supervisor started
// with, on its standard handles. Suspended until it is in the job, so that nothing escapes the job.
HandleHolder StartRun(HANDLE job, const ProcessIdentity& identity) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    WString commandLine = GetCommandLineW();
    if (!CreateProcessW(ModulePath().c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &started)) {
        return {};
    }
    HandleHolder thread(started.hThread);
    GivePriority(identity, started.hProcess);
    if (job != nullptr) AssignProcessToJobObject(job, started.hProcess);  // without it the run still runs
    ResumeThread(thread.get());
    return HandleHolder(started.hProcess);
}

int32_t RunsUntilTheEnd(Launcher& launcher, HANDLE job) {
    HandOnIdentity(launcher.identity);
    const std::vector<int32_t>& codes = launcher.restart.exitCodes;
    RestartBudget budget(kMostRestarts, kRestartWindowMs);
    for (;;) {
        const HandleHolder run = StartRun(job, launcher.identity);
        if (!run) {
            ShowWindowsErrorWithDetail(launcher.reporter, kRunNotStarted, ModulePath());
            return -1;
        }
        WaitForSingleObject(run.get(), INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(run.get(), &code);
        const auto exitCode = static_cast<int32_t>(code);
        if (std::find(codes.begin(), codes.end(), exitCode) == codes.end()) return exitCode;
        if (!budget.Allow(GetTickCount64())) {
            ShowFormattedError(launcher.reporter, kLimitReached, {exitCode});
            return exitCode;
        }
        LogRestart(exitCode);
        // The ended run's process has let go of its single-instance objects with its last handle.
        if (!SetUpSingleInstance(launcher, true)) return -1;
        if (IsLaterStart(launcher)) return AwaitForwardReply(launcher);
    }
}

}  // namespace

bool PrepareRestart(Launcher& launcher, const WString& exitCodes) {
    RestartPolicy& restart = launcher.restart;
    WString mark;
    restart.supervised = LookUpVariable(kSupervisedRun, mark);
    if (restart.supervised) SetEnvironmentVariableW(kSupervisedRun, nullptr);
    if (!ParseExitCodes(exitCodes, restart.exitCodes)) {
        ShowFormattedError(launcher.reporter, kNotExitCodes, {exitCodes});
        return false;
    }
    if (restart.exitCodes.empty()) return true;
    // The service manager's recovery options restart a service.
    if (launcher.isService) {
        ShowErrorBox(launcher.reporter, kRefusedForService);
        return false;
    }
    restart.supervises = !restart.supervised;
    return true;
}

int32_t Supervise(Launcher& launcher) {
    SetConsoleCtrlHandler(LeaveConsoleEventsToTheRun, TRUE);
    // When the session ends, after the run (a lower level is shut down later).
    SetProcessShutdownParameters(0x27F, 0);
    const HandleHolder job = RunsJob();
    SetEnvironmentVariableW(kSupervisedRun, L"1");
    const int32_t exitCode = RunsUntilTheEnd(launcher, job.get());
    // At a normal end, what the program started (an updater, a browser) outlives the supervisor.
    if (job) SetJobLimits(job.get(), 0);
    return exitCode;
}

void HandOnSupervision(const Launcher& launcher) {
    if (launcher.restart.supervised && launcher.pairReturnCode) SetEnvironmentVariableW(kSupervisedRun, L"1");
}

}  // namespace tarn
