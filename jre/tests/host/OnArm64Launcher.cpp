// The launcher on a system that runs on ARM64, as an x64 launcher runs there under emulation.
#include <windows.h>

#include "launcher/Launcher.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tarn::Launcher launcher;
    launcher.machines.readHost = [] { return tarn::kMachineArm64; };
    SetThreadLocale(GetSystemDefaultLCID());
    return launcher.Init() ? launcher.Run() : -1;
}
