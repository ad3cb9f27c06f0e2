#include "launcher/PairedProduct.h"

#include "base/Handles.h"
#include "report/Reporter.h"

namespace tarn {

constexpr unsigned kPairNotStartedFormat = 241;
constexpr unsigned kPairedServiceFormat = 304;

// A paired product that cannot be started is a failed start like any other: it is reported and
// ends the run with -1, rather than passing for a program that ran and returned 0.
int32_t RunPairedProduct(Launcher& launcher) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const WString& pair = launcher.machines.toArm64Product ? launcher.machines.arm64Product : launcher.pairProduct;
    // The SCM hears only from the process it started: the pair's run could report nothing to it.
    if (launcher.service.statusHandle != nullptr) {
        ShowFormattedError(launcher.reporter, kPairedServiceFormat, {pair});
        return -1;
    }
    WString application = pair;
    WString commandLine = GetCommandLineW();
    HandOnIdentity(launcher.identity);
    HandOnSupervision(launcher);
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &started)) {
        ShowWindowsErrorWithDetail(launcher.reporter, kPairNotStartedFormat, pair);
        return -1;
    }
    HandleHolder process(started.hProcess);
    HandleHolder thread(started.hThread);
    GivePriority(launcher.identity, process.get());
    ResumeThread(thread.get());
    if (!launcher.pairReturnCode) return 0;
    WaitForSingleObject(process.get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int32_t>(code);
}

}  // namespace tarn
