#include "bench/Scale.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "base/Conversion.h"
#include "bench/BenchKit.h"
#include "jre/Architecture.h"
#include "jre/RegistrySearch.h"
#include "launcher/Launcher.h"
#include "launcher/Settings.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/kit/Standin.h"
#include "vm/ClassPath.h"

namespace tarn::bench {
namespace {

using namespace tarn::test;

double MedianTime(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    return Median(times);
}

// Every key the launcher reads, each layered key also extended in its "+" section.
const wchar_t kEveryKey[] =
    L"[Product Information]\r\nProduct Name=Bench Product\r\nProduct Code={1D2C3B4A-0000-4000-8000-000000000001}\r\n"
    L"Upgrade Code={1D2C3B4A-0000-4000-8000-000000000002}\r\n"
    L"[Java Runtime Environment]\r\nMinimum Version=1.8\r\nMaximum Version=21\r\nPreferred versions=17;11;1.8\r\n"
    L"JRE Path=jre\r\nJVM Type=favor_server\r\nJVM Source=favor_JDK\r\nVM Provider=favor_sun\r\n"
    L"Main Class=bench.Main\r\nSystem Path=%SystemRoot%\r\nLibrary Path=lib;native\r\n"
    L"Virtual Machine Parameters=-Xmx50:128:1024P -Dbench=1\r\n"
    L"[Java Runtime Environment+]\r\nVirtual Machine Parameters=-Dmore=1\r\nLibrary Path=extra\r\n"
    L"[Class Path]\r\nClass Path=classes;lib\\*.jar\r\n[Class Path+]\r\nClass Path=more.jar\r\n"
    L"[Application]\r\nApplication Type=desktop\r\nSingle Instance=no\r\nFailure Check=Yes\r\n"
    L"Override WorkingDir=no\r\nPair Product=Bench32.exe\r\nPair Return Code=Yes\r\nEmbedded Jar=no\r\n"
    L"Output File=out_%yyyyMMdd%.log\r\nOutput Append=yes\r\nError File=err.log\r\nError Append=yes\r\nCmd=-a -b\r\n"
    L"[Application+]\r\nCmd=-c\r\n"
    L"[Display]\r\nSplash Screen=splash.png\r\nSplash Screen Shadow=true\r\nPreffer Native Splash Screen=Yes\r\n";
constexpr int kEveryKeyCount = 40;

}  // namespace

void SettingsScale() {
    TempFolder app(L"bench-settings");
    const WString path = app.Path() + L"\\App.ini";
    WriteUtf16File(path, kEveryKey);
    const double median = MedianTime(21, [&] {
        Launcher launcher;
        ReadSettingsFile(launcher, path);
    });
    std::printf("Settings file with every key set (%d values, median of 21): %.2f ms, %.1f us per value\n",
                kEveryKeyCount, median, 1000.0 * median / kEveryKeyCount);
}

namespace {

const wchar_t kRuntimeKey[] = L"SOFTWARE\\JavaSoft\\Java Runtime Environment";

void RegisterRuntimes(int count, const WString& home) {
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        for (int i = 0; i < count; ++i) {
            const WString key = WString(kRuntimeKey) + L"\\1.8.0_" + std::to_wstring(i);
            HKEY handle = nullptr;
            if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &handle,
                                nullptr) != ERROR_SUCCESS) {
                continue;
            }
            RegSetValueExW(handle, L"JavaHome", 0, REG_SZ, reinterpret_cast<const BYTE*>(home.c_str()),
                           static_cast<DWORD>((home.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(handle);
        }
    }
}

void ForgetRuntimes() {
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\JavaSoft", 0, KEY_ALL_ACCESS | view, &handle) == 0) {
            RegDeleteTreeW(handle, L"Java Runtime Environment");
            RegCloseKey(handle);
        }
    }
}

}  // namespace

void RegistryScale() {
    TempFolder app(L"bench-registry");
    WString home = LayOutRuntime(app.Path() + L"\\jre");
    if (!home.empty() && home.back() == L'\\') home.pop_back();
    const WString ini = app.Path() + L"\\App.ini";
    WriteUtf16File(ini, L"[Java Runtime Environment]\r\nMain Class=bench.Main\r\nMinimum Version=1.8\r\n"
                        L"[Application]\r\nPair Product=Bench32.exe\r\n");
    std::printf("Registry search over runtimes registered in both views (median of 11):\n");
    double previous = 0;
    for (const int count : {20, 200}) {
        ForgetRuntimes();
        RegisterRuntimes(count, home);
        bool found = true;
        const double median = MedianTime(11, [&] {
            Launcher launcher;
            ReadSettingsFile(launcher, ini);
            found = found && SearchRegistry(launcher, RegistryView::Own, kOwnMachine).has_value();
        });
        std::printf("  %4d runtimes a view  %8.2f ms  %7.1f us/runtime", count, median, 1000.0 * median / count);
        if (previous > 0) std::printf("  ratio to previous %5.1f", median / previous);
        std::printf("%s\n", found ? "" : "  (WARNING: no runtime chosen)");
        previous = median;
    }
    ForgetRuntimes();
}

namespace {

void MakeJars(const WString& folder, int count) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\library-%05d.jar", i);
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
}

}  // namespace

// Class path expansion as the launcher does it: the setting's references, the wildcard search, then
// the option text's 8-bit conversion.
void ClassPathScale() {
    std::printf("Class path expansion of lib\\*.jar (median):\n");
    double previous = 0;
    for (const int count : {10, 1000, 10000}) {
        TempFolder app(L"bench-cp");
        MakeJars(app.Path() + L"\\lib", count);
        size_t length = 0;
        const double median = MedianTime(count >= 10000 ? 5 : 15, [&] {
            const WString option = L"-Djava.class.path=" + BuildClassPath(L"lib\\*.jar", app.Path()).text;
            length = ToNarrow(option).size();
        });
        std::printf("  %6d jars  %9.2f ms  %7.2f us/jar  option %8zu chars", count, median, 1000.0 * median / count,
                    length);
        if (previous > 0) std::printf("  ratio to previous %7.1f", median / previous);
        std::printf("\n");
        previous = median;
    }
}

}  // namespace tarn::bench
