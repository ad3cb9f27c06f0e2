// The launcher with one difference: it runs as on a drive whose short (8.3) names are switched off.
#include <windows.h>

#include "launcher/Launcher.h"

static tarn::WString NoShortName(const tarn::WString&) { return {}; }

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int exitCode = -1;
    {
        tarn::Launcher launcher;
        launcher.shortPathReader = &NoShortName;
        SetThreadLocale(GetSystemDefaultLCID());
        if (launcher.Init()) exitCode = launcher.Run();
    }
    return exitCode;
}
