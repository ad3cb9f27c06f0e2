// The launcher on a drive that keeps no short (8.3) names.
#include <windows.h>

#include "launcher/Launcher.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tarn::Launcher launcher;
    launcher.shortPathReader = [](const tarn::WString&) { return tarn::WString(); };
    SetThreadLocale(GetSystemDefaultLCID());
    return launcher.Init() ? launcher.Run() : -1;
}
