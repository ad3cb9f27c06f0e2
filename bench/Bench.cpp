// Benchmark (not a test): the launcher's start-to-main time against a yardstick host that runs the
// same stand-in runtime the same way, where the launcher's own time goes, and how its work grows
// with the size of its inputs. Run through tools/bench.sh, which builds everything and runs this
// under Wine with a persistent wineserver.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchKit.h"
#include "bench/Scale.h"
#include "bench/SplashBench.h"
#include "tests/kit/Locations.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/kit/Standin.h"

namespace tarn::bench {
namespace {

using namespace tarn::test;

// Wall time from process creation until its end; -1 when it failed or did not exit with 0.
double TimedRun(const WString& program, const WString& arguments, double* started = nullptr) {
    WString commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = NowMs();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    const double elapsed = NowMs() - start;
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (started != nullptr) *started = start;
    return ended && code == 0 ? elapsed : -1;
}

void PrintSpread(const char* name, const std::vector<double>& times) {
    std::printf("  %-14s median %7.1f ms   quartiles %7.1f .. %7.1f   range %7.1f .. %7.1f\n", name, Median(times),
                Quantile(times, 0.25), Quantile(times, 0.75), Quantile(times, 0), Quantile(times, 1));
}

struct App {
    TempFolder folder{L"bench-app"};
    WString exe, stepped, host, hostArguments;

    App() {
        const WString runtime = LayOutRuntime(folder.Path() + L"\\jre");
        WriteClass(folder.Path() + L"\\classes", "bench/Main", "method main\nend\n");
        const WString ini =
            L"[Java Runtime Environment]\r\nMain Class=bench.Main\r\n[Class Path]\r\nClass Path=classes\r\n";
        exe = folder.Path() + L"\\App.exe";
        stepped = folder.Path() + L"\\Stepped.exe";
        CopyTo(LauncherExe(), exe);
        CopyTo(BuildDir() + L"\\bench\\stepped_launcher.exe", stepped);
        WriteUtf16File(folder.Path() + L"\\App.ini", ini);
        WriteUtf16File(folder.Path() + L"\\Stepped.ini", ini);
        host = BuildDir() + L"\\bench\\minimal_host.exe";
        hostArguments = runtime + L"bin\\client\\jvm.dll " + folder.Path() + L"\\classes bench/Main";
    }
};

void StartToMain(const App& app, int pairs) {
    for (int i = 0; i < 3; ++i) {  // warm-up: file cache and Wine's first-start work
        TimedRun(app.exe, L"");
        TimedRun(app.host, app.hostArguments);
    }
    std::vector<double> launcher, host, ratios;
    bool ok = true;
    for (int i = 0; i < pairs; ++i) {
        // Alternate which goes first, so that a drift of the machine weighs on both alike.
        double l, h;
        if (i % 2 == 0) {
            l = TimedRun(app.exe, L"");
            h = TimedRun(app.host, app.hostArguments);
        } else {
            h = TimedRun(app.host, app.hostArguments);
            l = TimedRun(app.exe, L"");
        }
        ok = ok && l > 0 && h > 0;
        launcher.push_back(l);
        host.push_back(h);
        ratios.push_back(l / h);
    }
    std::printf("Start to main (process start until an empty main has returned and the VM ended), %d pairs:\n", pairs);
    PrintSpread("launcher", launcher);
    PrintSpread("yardstick", host);
    std::printf("  ratio of medians %.3f; median of pair ratios %.3f (quartiles %.3f .. %.3f)\n",
                Median(launcher) / Median(host), Median(ratios), Quantile(ratios, 0.25), Quantile(ratios, 0.75));
    if (!ok) std::printf("  WARNING: a run failed or did not exit with 0\n");
}

// Reads the stamps the stepped launcher wrote: step name and time, in order.
std::vector<std::pair<std::string, double>> ReadStamps(const WString& path) {
    std::vector<std::pair<std::string, double>> stamps;
    FILE* file = _wfopen(path.c_str(), L"r");
    if (file == nullptr) return stamps;
    char line[256];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        char* tab = std::strchr(line, '\t');
        if (tab == nullptr) continue;
        *tab = '\0';
        stamps.emplace_back(line, std::atof(tab + 1));
    }
    std::fclose(file);
    return stamps;
}

void Breakdown(const App& app, int runs) {
    const WString stampFile = app.folder.Path() + L"\\steps.txt";
    SetEnvironmentVariableW(L"TARN_BENCH_STEPS", stampFile.c_str());
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> durations;
    for (int i = 0; i < runs + 2; ++i) {
        double started = 0;
        const double elapsed = TimedRun(app.stepped, L"", &started);
        const auto stamps = ReadStamps(stampFile);
        if (i < 2 || elapsed < 0 || stamps.empty()) continue;  // two warm-up runs
        double previous = started;
        auto add = [&](const std::string& step, double at) {
            if (durations.find(step) == durations.end()) order.push_back(step);
            durations[step].push_back(at - previous);
            previous = at;
        };
        add("process start", stamps.front().second);
        for (size_t s = 1; s < stamps.size(); ++s) add(stamps[s].first, stamps[s].second);
        add("process end", started + elapsed);
    }
    SetEnvironmentVariableW(L"TARN_BENCH_STEPS", nullptr);
    std::printf("Where the launcher's time goes (the same steps with time stamps), median of %d runs:\n", runs);
    for (const std::string& step : order) {
        std::printf("  %-16s %7.2f ms\n", step.c_str(), Median(durations[step]));
    }
    std::printf("  (\"VM thread\": create the VM, load the class, call main, detach; \"VM destroyed\": DestroyJavaVM\n"
                "   and the launcher's own clean-up)\n");
}

void Sizes() {
    std::printf("Shipped sizes (stripped; symbols in a .debug file beside each):\n");
    for (const WString& exe : {LauncherExe(), OtherLauncherExe()}) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(exe.c_str(), GetFileExInfoStandard, &data)) continue;
        std::printf("  %-60ls %8lu bytes\n", exe.c_str(), data.nFileSizeLow);
    }
}

}  // namespace
}  // namespace tarn::bench

int main(int argc, char** argv) {
    using namespace tarn::bench;
    if (argc > 1 && std::strcmp(argv[1], "splash") == 0) {  // needs a display
        SplashStart(10);
        return 0;
    }
    Sizes();
    App app;
    StartToMain(app, 21);
    Breakdown(app, 21);
    SettingsScale();
    RegistryScale();
    ClassPathScale();
    return 0;
}
