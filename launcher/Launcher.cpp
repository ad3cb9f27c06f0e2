#include "launcher/Launcher.h"

#include "base/Files.h"
#include "base/PathText.h"
#include "instance/SingleInstance.h"
#include "jre/RuntimeSearch.h"
#include "launcher/PairedProduct.h"
#include "launcher/Settings.h"
#include "vm/VmHost.h"

namespace tarn {

static Launcher* currentLauncher = nullptr;

Launcher::Launcher() { currentLauncher = this; }

Launcher::~Launcher() {
    if (javaVm != nullptr) {
        // Waits for the Java program's remaining non-daemon threads.
        javaVm->DestroyJavaVM();
        javaVm = nullptr;
    }
    ReleaseSingleInstance(*this);
    currentLauncher = nullptr;
}

Launcher* Launcher::Current() { return currentLauncher; }

static void MakeLauncherFolderCurrent() {
    const WString module = ModulePath();
    const int last = ReverseFind(module, L'\\');
    if (last >= 1) SetCurrentDirectoryW(module.substr(0, last).c_str());
}

bool Launcher::Init() {
    arguments = ProgramArguments(GetCommandLineW());
    if (!ReadSettings(*this)) return false;
    if (!SetUpSingleInstance(*this)) return false;
    // A later start has handed its arguments over: no working folder, no runtime.
    if (IsLaterStart(*this)) return true;
    if (overrideWorkingDir) MakeLauncherFolderCurrent();
    return DiscoverRuntime(*this);
}

int32_t Launcher::Run() {
    if (usePairedProduct) return RunPairedProduct(*this);
    if (IsLaterStart(*this)) return AwaitForwardReply(*this);
    ProcessEnvironmentSetup(*this);
    if (!LoadJvmLibrary(*this)) return -1;
    if (!BuildVmOptions(*this)) return -1;
    if (vmThreadStackSize == 0) vmThreadStackSize = DefaultJavaStackSize(*this);
    return RunVmThread(*this) == 0 ? 0 : -1;
}

}  // namespace tarn
