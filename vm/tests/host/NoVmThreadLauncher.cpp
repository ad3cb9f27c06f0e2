// The launcher with one difference: its VM thread can never be started, so the VM steps run on
// the main thread. End-to-end tests run it like the real launcher to see that nothing changes.
#include <windows.h>

#include "launcher/Launcher.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tarn::Launcher launcher;
    launcher.vmThreadStarter = [](LPTHREAD_START_ROUTINE, void*, SIZE_T) -> HANDLE {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    };
    SetThreadLocale(GetSystemDefaultLCID());
    return launcher.Init() ? launcher.Run() : -1;
}
