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

// Process start until main has called System.exit, so that no close at the end is counted; and
// until the splash window of the process is visible.
double TimedStartToExitInMain(const WString& exe, bool& ok, double* splashShownMs = nullptr) {
    const double start = NowMs();
    RunOptions options;
    ChildProcess child(exe, L"", options);
    ok = ok && child.Started();
    bool splashSeen = splashShownMs == nullptr;
    while (WaitForSingleObject(child.Handle(), splashSeen ? 60000 : 1) == WAIT_TIMEOUT) {
        const HWND splash = FindWindowW(L"SplashScreenWindow", nullptr);
        if (!splashSeen && splash != nullptr && IsWindowVisible(splash)) {
            *splashShownMs = NowMs() - start;
            splashSeen = true;
        }
    }
    const double elapsed = NowMs() - start;
    DWORD code = 1;
    GetExitCodeProcess(child.Handle(), &code);
    ok = ok && code == 0 && splashSeen;
    return elapsed;
}

// The picture is made by tools/bench.sh: a 1920x1080 PNG that does not compress to nothing.
void SplashStart(int rounds) {
    TempFolder app(L"bench-splash");
    const WString exe = app.Path() + L"\\App.exe";
    CopyTo(LauncherExe(), exe);
    LayOutRuntime(app.Path() + L"\\jre");
    CopyTo(BuildDir() + L"\\bench\\splash-1920x1080.png", app.Path() + L"\\splash.png");
    WriteClass(app.Path() + L"\\classes", "bench/Main", "method main\nexit 0\nend\n");
    const WString settings =
        L"[Java Runtime Environment]\r\nMain Class=bench.Main\r\n[Class Path]\r\nClass Path=classes\r\n";
    bool ok = true;
    std::vector<double> plain, splash, shown;
    for (int i = 0; i <= rounds; ++i) {
        WriteUtf16File(app.Path() + L"\\App.ini", settings);
        const double withoutSplash = TimedStartToExitInMain(exe, ok);
        WriteUtf16File(app.Path() + L"\\App.ini", settings + L"[Display]\r\nSplash Screen=splash.png\r\n");
        double shownMs = 0;
        const double withSplash = TimedStartToExitInMain(exe, ok, &shownMs);
        if (i == 0) continue;  // warm-up
        plain.push_back(withoutSplash);
        splash.push_back(withSplash);
        shown.push_back(shownMs);
    }
    const double p = Median(plain), s = Median(splash);
    std::printf("Start to System.exit in main, with a 1920x1080 PNG splash (median of %d):\n", rounds);
    std::printf("  no splash     %8.1f ms\n  with splash   %8.1f ms\n  difference    %8.1f ms\n", p, s, s - p);
    std::printf("  splash shown  %8.1f ms after the start\n", Median(shown));
    if (!ok) std::printf("  WARNING: a run failed, exited with another code or showed no splash\n");
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
