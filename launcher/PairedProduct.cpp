#include "launcher/PairedProduct.h"

#include "base/Handles.h"

namespace tarn {

int32_t RunPairedProduct(Launcher& launcher) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    WString application = launcher.pairProduct;
    WString commandLine = GetCommandLineW();
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return 0;
    HandleHolder process(started.hProcess);
    HandleHolder thread(started.hThread);
    if (!launcher.pairReturnCode) return 0;
    WaitForSingleObject(process.get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int32_t>(code);
}

}  // namespace tarn
