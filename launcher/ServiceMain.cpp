#include "launcher/ServiceMain.h"

#include "base/Files.h"
#include "base/PathText.h"
#include "launcher/DiscoveryLog.h"
#include "service/ServiceStatus.h"
#include "service/ServiceStop.h"

namespace tarn {
namespace {

constexpr unsigned kNoConnectionText = 303;

// System.exit, the stop's own included, ends the process inside the VM: STOPPED goes out first.
class ServiceExitListener final : public VmExitListener {
public:
    explicit ServiceExitListener(ServiceState& service) : service_(service) {}
    void OnVmExit(int32_t code) override { ReportStopped(service_, code); }
    // The process ends without STOPPED: the SCM counts it as a crash, and its recovery acts.
    void OnVmAbort() override {}

private:
    ServiceState& service_;
};

DWORD WINAPI ControlHandler(DWORD control, DWORD, void*, void* context) {
    auto& launcher = *static_cast<Launcher*>(context);
    switch (control) {
        case SERVICE_CONTROL_STOP:
        case SERVICE_CONTROL_SHUTDOWN:
        case SERVICE_CONTROL_PRESHUTDOWN:
            BeginStop(launcher.service, launcher.reporter);
            return NO_ERROR;
        case SERVICE_CONTROL_INTERROGATE:
            return NO_ERROR;
        default:
            return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

// Nobody would see a box: the administrator reads the event log, under the product's name.
void ReportToEventLog(Launcher& launcher, const WString& unnamedSource) {
    launcher.reporter.userInterface = UserInterface::EventLog;
    launcher.reporter.eventSource = launcher.productName.empty() ? unnamedSource : launcher.productName;
}

// Told through the event log, and the process ends with the error: the SCM gives the start up.
[[noreturn]] void EndUnconnected(Launcher& launcher, const WString& unnamedSource) {
    const DWORD error = GetLastError();
    ReportToEventLog(launcher, unnamedSource);
    SetLastError(error);
    ShowWindowsError(launcher.reporter, kNoConnectionText);
    LogExitCode(static_cast<int32_t>(error));
    ExitProcess(error);
}

void WINAPI ServiceMain(DWORD, wchar_t** argv) {
    Launcher& launcher = *Launcher::Current();
    ServiceState& service = launcher.service;
    service.statusHandle = RegisterServiceCtrlHandlerExW(argv[0], ControlHandler, &launcher);
    if (service.statusHandle == nullptr) EndUnconnected(launcher, argv[0]);
    ReportToEventLog(launcher, argv[0]);
    ReportStartStep(service, StartStep::ReadSettings);
    SetThreadLocale(GetSystemDefaultLCID());
    // A service starts in the system folder; relative names are meant to be the product's.
    MakeLauncherFolderCurrent();
    const int32_t exitCode = launcher.Init() ? launcher.Run() : -1;
    if (!ReportStopped(service, exitCode)) return;
    // The SCM may end the process at any moment after STOPPED, and nothing is left to do: end it now
    // with the code reported (the run's main thread, back from the dispatcher, only waits).
    LogExitCode(exitCode);
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace

bool RunAsService(Launcher& launcher, int& exitCode) {
    ServiceExitListener listener(launcher.service);
    launcher.exitListener = &listener;
    launcher.service.stoppedEvent.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    wchar_t ownProcess[] = L"";  // the name is ignored for a service of its own process
    const SERVICE_TABLE_ENTRYW services[] = {{ownProcess, ServiceMain}, {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherW(services)) {
        const DWORD error = GetLastError();
        launcher.exitListener = nullptr;
        if (error == ERROR_FAILED_SERVICE_CONTROLLER_CONNECT) return false;
        // Started by the SCM, yet not connected: nobody would see a box.
        ReportToEventLog(launcher, FileNameOf(ModulePath()));
        SetLastError(error);
        ShowWindowsError(launcher.reporter, kNoConnectionText);
        exitCode = -1;
        return true;
    }
    // The dispatcher comes back once the SCM has heard STOPPED, and whichever thread reported it (the
    // service's own, the VM's exit, the stop watch) is ending the process with that code: this
    // thread must not go on to destroy what that one still uses.
    Sleep(INFINITE);
    return true;
}

}  // namespace tarn
