#include <windows.h>

#include "launcher/DiscoveryLog.h"
#include "launcher/Launcher.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int exitCode = -1;
    {
        tarn::Launcher launcher;
        // 8-bit conversions on this thread then use the system ANSI code page.
        SetThreadLocale(GetSystemDefaultLCID());
        DefWindowProcW(nullptr, 0, 0, 0);
        if (launcher.Init()) exitCode = launcher.Run();
    }
    tarn::LogExitCode(exitCode);
    return exitCode;
}
