#include "launcher/Launcher.h"

#include "base/Files.h"
#include "base/PathText.h"
#include "instance/SingleInstance.h"
#include "jre/RuntimeSearch.h"
#include "launcher/DiscoveryLog.h"
#include "launcher/ChosenRuntime.h"
#include "launcher/PairedProduct.h"
#include "launcher/ServiceMain.h"
#include "launcher/Settings.h"
#include "splash/Splash.h"
#include "splash/SplashRules.h"
#include "splash/SplashWindow.h"
#include "report/Reporter.h"
#include "service/ServiceStatus.h"
#include "vm/VmHost.h"

namespace tarn {

static Launcher* currentLauncher = nullptr;

Launcher::Launcher() { currentLauncher = this; }

Launcher::~Launcher() {
    CloseSplash(*this);
    if (javaVm != nullptr) {
        // Waits for the Java program's remaining non-daemon threads.
        javaVm->DestroyJavaVM();
        javaVm = nullptr;
    }
    ReleaseSingleInstance(*this);
    splashClose.reset();
    currentLauncher = nullptr;
}

Launcher* Launcher::Current() { return currentLauncher; }

void MakeLauncherFolderCurrent() {
    const WString module = ModulePath();
    const int last = ReverseFind(module, L'\\');
    if (last >= 1) SetCurrentDirectoryW(module.substr(0, last).c_str());
}

bool Launcher::Init() {
    arguments = ProgramArguments(GetCommandLineW());
    if (!ReadSettings(*this)) return false;
    // A supervisor only joins a running instance; its runs become the running instance themselves.
    if (!SetUpSingleInstance(*this, restart.supervises)) return false;
    // A later start has handed its arguments over, a supervisor leaves the rest to its runs: no
    // working folder, no runtime.
    if (IsLaterStart(*this) || restart.supervises) return true;
    if (overrideWorkingDir) MakeLauncherFolderCurrent();
    ReportStartStep(service, StartStep::FindRuntime);
    return DiscoverRuntime(*this) || AskUserForRuntime(*this);
}

int32_t Launcher::Run() {
    if (usePairedProduct) return RunPairedProduct(*this);
    if (IsLaterStart(*this)) return AwaitForwardReply(*this);
    if (restart.supervises) return Supervise(*this);
    if (!ProcessEnvironmentSetup(*this)) return -1;
    if (reporter.ShowsWindows() && !SplashSuppressed(arguments)) StartSplash(*this);
    ReportStartStep(service, StartStep::CreateVm);
    if (!LoadJvmLibrary(*this)) return -1;
    if (!BuildVmOptions(*this)) return -1;
    LogVmOptions(vmOptions);
    if (vmThreadStackSize == 0) vmThreadStackSize = DefaultJavaStackSize(*this);
    // As the java command does, a console run whose main threw ends with 1 (after the program's
    // other threads, which the VM's destruction awaits); the desktop run has reported it already.
    if (RunVmThread(*this) == 0) return mainThrew && !reporter.ShowsWindows() ? 1 : 0;
    // The runtime's splash library must not outlive a VM that failed to start.
    splashClose.reset();
    return -1;
}

int LauncherMain(UserInterface userInterface) {
    int exitCode = -1;
    {
        Launcher launcher;
        // Where no window can be seen, every message is an event and no dialog or splash is shown.
        const bool unseen = userInterface == UserInterface::Windows && !WindowsCanBeSeen();
        launcher.reporter.userInterface = unseen ? UserInterface::EventLog : userInterface;
        // 8-bit conversions on this thread then use the system ANSI code page.
        SetThreadLocale(GetSystemDefaultLCID());
        DefWindowProcW(nullptr, 0, 0, 0);
        // "Application Type" is read before any message can be shown: a service that the SCM
        // started reports to the event log, and does its work on the service's own thread.
        const bool opened = OpenSettings(launcher);
        const bool ranAsService = opened && launcher.isService && RunAsService(launcher, exitCode);
        if (opened && !ranAsService && launcher.Init()) exitCode = launcher.Run();
    }
    LogExitCode(exitCode);
    return exitCode;
}

}  // namespace tarn
