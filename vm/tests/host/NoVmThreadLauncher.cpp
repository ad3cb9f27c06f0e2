// The launcher with one difference: its VM thread can never be started, so the VM steps run on
// the main thread. End-to-end tests run it like the real launcher to see that nothing changes.
#include <windows.h>

#include "launcher/Launcher.h"
#include "vm/VmHost.h"
#include "vm/VmLoader.h"

namespace {

HANDLE NoThread(LPTHREAD_START_ROUTINE, void*, SIZE_T) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

// The steps of Launcher::Run for hosting the VM, with the thread start replaced.
int32_t RunWithoutVmThread(tarn::Launcher& launcher) {
    if (!tarn::ProcessEnvironmentSetup(launcher)) return -1;
    if (!tarn::LoadJvmLibrary(launcher)) return -1;
    if (!tarn::BuildVmOptions(launcher)) return -1;
    if (launcher.vmThreadStackSize == 0) launcher.vmThreadStackSize = tarn::DefaultJavaStackSize(launcher);
    return tarn::RunVmThread(launcher, &NoThread) == 0 ? 0 : -1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int exitCode = -1;
    {
        tarn::Launcher launcher;
        SetThreadLocale(GetSystemDefaultLCID());
        if (launcher.Init()) exitCode = RunWithoutVmThread(launcher);
    }
    return exitCode;
}
