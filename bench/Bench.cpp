// Benchmark (not a test): the launcher's start-to-main time against a minimal host of the same
// stand-in runtime, and class path expansion over wildcard folders of 10, 1,000 and 10,000 jars.
// Run through tools/bench.sh, which builds everything and runs this under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "base/Conversion.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Process.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/kit/Standin.h"
#include "vm/ClassPath.h"
#include "base/Environment.h"

namespace tarn::bench {
namespace {

using namespace tarn::test;

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Wall time of a whole run of the program, which returns from an empty main.
double TimedRun(const WString& program, const WString& arguments, bool& ok) {
    const double start = NowMs();
    RunOptions options;
    options.timeoutMs = 60000;
    const RunResult result = RunProgram(program, arguments, options);
    const double elapsed = NowMs() - start;
    ok = ok && result.finished && result.exitCode == 0 && result.dialogs.empty();
    return elapsed;
}

void StartToMain(int rounds) {
    TempFolder app(L"bench-app");
    const WString exe = app.Path() + L"\\App.exe";
    CopyTo(LauncherExe(), exe);
    const WString runtime = LayOutRuntime(app.Path() + L"\\jre");
    WriteClass(app.Path() + L"\\classes", "bench/Main", "method main\nend\n");
    WriteUtf16File(app.Path() + L"\\App.ini",
                   L"[Java Runtime Environment]\r\nMain Class=bench.Main\r\n[Class Path]\r\nClass Path=classes\r\n");
    const WString host = BuildDir() + L"\\bench\\minimal_host.exe";
    const WString hostArguments =
        L"\"" + runtime + L"bin\\client\\jvm.dll\" \"" + app.Path() + L"\\classes\" bench/Main";

    bool ok = true;
    TimedRun(exe, L"", ok);  // warm-up: file cache and Wine's first-start work
    TimedRun(host, hostArguments, ok);
    std::vector<double> launcher, minimal;
    for (int i = 0; i < rounds; ++i) {
        launcher.push_back(TimedRun(exe, L"", ok));
        minimal.push_back(TimedRun(host, hostArguments, ok));
    }
    const double l = Median(launcher), m = Median(minimal);
    std::printf("Start to main (process start until an empty main has returned and the VM ended), median of %d:\n",
                rounds);
    std::printf("  launcher      %8.1f ms\n  minimal host  %8.1f ms\n  ratio         %8.2f   (difference %.1f ms)\n",
                l, m, l / m, l - m);
    if (!ok) std::printf("  WARNING: a run failed, showed a dialog or did not exit with 0\n");
}

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

void MakeJars(const WString& folder, int count) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\library-%05d.jar", i);
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
}

// Class path expansion as the launcher does it: the wildcard search, then the option text's
// environment expansion and 8-bit conversion.
double TimedExpansion(const WString& folder, size_t& length, bool& expanded) {
    const double start = NowMs();
    WString option = L"-Djava.class.path=" + BuildClassPath(L"lib\\*.jar", folder);
    const size_t before = option.size();
    option = ExpandEnvironment(option);
    const NarrowString narrow = ToNarrow(option);
    const double elapsed = NowMs() - start;
    length = narrow.size();
    expanded = option.size() == before;
    return elapsed;
}

void ClassPathExpansion() {
    std::printf("Class path expansion of lib\\*.jar (median):\n");
    double previous = 0;
    for (const int count : {10, 1000, 10000}) {
        TempFolder app(L"bench-cp");
        MakeJars(app.Path() + L"\\lib", count);
        size_t length = 0;
        bool expanded = true;
        std::vector<double> times;
        const int rounds = count >= 10000 ? 5 : 15;
        for (int i = 0; i < rounds; ++i) times.push_back(TimedExpansion(app.Path(), length, expanded));
        const double median = Median(times);
        std::printf("  %6d jars  %9.2f ms  %7.2f us/jar  option %8zu chars", count, median, 1000.0 * median / count,
                    length);
        if (previous > 0) std::printf("  ratio to previous %7.1f", median / previous);
        std::printf("%s\n", expanded ? "" : "  (option text changed by expansion)");
        previous = median;
    }
}

}  // namespace
}  // namespace tarn::bench

int main() {
    tarn::bench::StartToMain(10);
    tarn::bench::SplashStart(10);
    tarn::bench::ClassPathExpansion();
    return 0;
}
