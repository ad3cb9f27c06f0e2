// The launcher's own sequence with a time stamp after each step, for the benchmark's breakdown of
// where the launcher spends its start-up time. The stamps go to the file named by
// TARN_BENCH_STEPS as "step<TAB>milliseconds" lines on the machine-wide performance counter, so
// that the benchmark can put them beside its own process start and end times.
#include <windows.h>

#include <cstdio>

#include "base/Files.h"
#include "base/PathText.h"
#include "jre/RuntimeSearch.h"
#include "launcher/IniFileStore.h"
#include "launcher/Launcher.h"
#include "launcher/Settings.h"
#include "launcher/UserSettings.h"
#include "vm/VmHost.h"

namespace {

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class Stamps {
public:
    Stamps() {
        wchar_t path[MAX_PATH];
        if (GetEnvironmentVariableW(L"TARN_BENCH_STEPS", path, MAX_PATH) - 1 < MAX_PATH - 1) {
            file_ = _wfopen(path, L"w");
        }
    }
    ~Stamps() {
        if (file_ != nullptr) fclose(file_);
    }
    void Mark(const char* step) {
        if (file_ != nullptr) std::fprintf(file_, "%s\t%.3f\n", step, NowMs());
    }

private:
    FILE* file_ = nullptr;
};

// Reads the per-user file once more on its own, so that its share of the settings step shows.
void ReadUserFileAgain(const tarn::Launcher& launcher) {
    const tarn::WString userFile = tarn::UserSettingsPath(launcher, false);
    if (!userFile.empty() && tarn::PathExists(userFile)) {
        tarn::IniFileStore(userFile).Read(tarn::kJreSection, L"JRE Path");
    }
}

int Run(Stamps& stamps) {
    tarn::Launcher launcher;
    SetThreadLocale(GetSystemDefaultLCID());
    DefWindowProcW(nullptr, 0, 0, 0);
    launcher.arguments = tarn::ProgramArguments(GetCommandLineW());
    stamps.Mark("command line");
    if (!tarn::ReadSettings(launcher)) return -1;
    stamps.Mark("settings");
    ReadUserFileAgain(launcher);
    stamps.Mark("per-user file");
    if (!tarn::DiscoverRuntime(launcher)) return -1;
    stamps.Mark("discovery");
    tarn::ProcessEnvironmentSetup(launcher);
    stamps.Mark("environment");
    if (!tarn::LoadJvmLibrary(launcher)) return -1;
    stamps.Mark("load jvm.dll");
    if (!tarn::BuildVmOptions(launcher)) return -1;
    if (launcher.vmThreadStackSize == 0) launcher.vmThreadStackSize = tarn::DefaultJavaStackSize(launcher);
    stamps.Mark("options");
    const int code = tarn::RunVmThread(launcher) == 0 ? 0 : -1;
    stamps.Mark("VM thread");
    return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Stamps stamps;
    stamps.Mark("entry");
    const int code = Run(stamps);
    stamps.Mark("VM destroyed");
    return code;
}
