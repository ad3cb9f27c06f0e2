// Benchmark case: start to main with and without a 1920x1080 PNG splash, and when the splash shows.
// Needs a display (tools/bench.sh runs it under a virtual one).
#include "bench/SplashBench.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/BenchKit.h"
#include "tests/kit/Locations.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/kit/Standin.h"

namespace tarn::bench {
namespace {

using namespace tarn::test;

struct SplashTimes {
    double main = -1;   // main has printed its first line
    double shown = -1;  // the splash window is visible
};

// Starts the launcher with its standard output on a pipe, so that main's first line marks the
// moment main runs; meanwhile watches for the splash window. main then waits a second, so that a
// splash that comes late is still seen, and calls System.exit, so that no closing is counted.
SplashTimes TimedSplashRun(const WString& exe, const WString& folder, bool& ok) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inheritable, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    WString commandLine = L"\"" + exe + L"\"";
    SplashTimes times;
    const double start = NowMs();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        ok = false;
        return times;
    }
    CloseHandle(writeEnd);
    DWORD available = 0;
    while (WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
        if (times.main < 0 && PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0)
            times.main = NowMs() - start;
        const HWND splash = times.shown < 0 ? FindWindowW(L"SplashScreenWindow", nullptr) : nullptr;
        if (splash != nullptr && IsWindowVisible(splash)) times.shown = NowMs() - start;
    }
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    ok = ok && code == 0 && times.main >= 0;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(readEnd);
    return times;
}

}  // namespace

// The picture is made by tools/bench.sh: a 1920x1080 PNG that does not compress to nothing.
void SplashStart(int rounds) {
    TempFolder app(L"bench-splash");
    const WString exe = app.Path() + L"\\App.exe";
    CopyTo(LauncherExe(), exe);
    LayOutRuntime(app.Path() + L"\\jre");
    CopyTo(BuildDir() + L"\\bench\\splash-1920x1080.png", app.Path() + L"\\splash.png");
    WriteClass(app.Path() + L"\\classes", "bench/Main", "method main\nout started\nsleep 1000\nexit 0\nend\n");
    const WString settings =
        L"[Java Runtime Environment]\r\nMain Class=bench.Main\r\n[Class Path]\r\nClass Path=classes\r\n";
    bool ok = true;
    std::vector<double> plain, splash, shown;
    int unseen = 0;
    for (int i = 0; i <= rounds; ++i) {
        WriteUtf16File(app.Path() + L"\\App.ini", settings);
        const SplashTimes withoutSplash = TimedSplashRun(exe, app.Path(), ok);
        WriteUtf16File(app.Path() + L"\\App.ini", settings + L"[Display]\r\nSplash Screen=splash.png\r\n");
        const SplashTimes withSplash = TimedSplashRun(exe, app.Path(), ok);
        if (i == 0) continue;  // warm-up
        plain.push_back(withoutSplash.main);
        splash.push_back(withSplash.main);
        if (withSplash.shown >= 0) shown.push_back(withSplash.shown);
        else ++unseen;
    }
    const double p = Median(plain), s = Median(splash);
    std::printf("Start to main with a 1920x1080 PNG splash (process start until main prints), median of %d:\n", rounds);
    std::printf("  no splash     %8.1f ms\n  with splash   %8.1f ms\n  difference    %8.1f ms\n", p, s, s - p);
    if (!shown.empty()) std::printf("  splash shown  %8.1f ms after the process start\n", Median(shown));
    if (unseen > 0) std::printf("  (the splash was not seen within main's second in %d runs)\n", unseen);
    if (!ok) std::printf("  WARNING: a run failed or did not exit with 0\n");
}

}  // namespace tarn::bench
