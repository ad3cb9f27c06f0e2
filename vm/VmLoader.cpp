#include "vm/VmLoader.h"

#include <vector>

#include "base/Files.h"
#include "base/Handles.h"
#include "base/PathText.h"
#include "launcher/DiscoveryLog.h"
#include "report/Reporter.h"
#include "vm/MainInvoker.h"
#include "vm/StreamRedirection.h"
#include "vm/VmHost.h"
#include "vm/jni/Jdk11InitArgs.h"

namespace tarn {
namespace {

// The VM calls these without context; the one launcher of the process is found through Current().
// A runtime that ends the start itself has printed why: the user is shown it.
void JNICALL VmExitHook(jint code) {
    Launcher* launcher = Launcher::Current();
    if (launcher != nullptr) launcher->javaLaunch.capture.ReportIfStarting(launcher->reporter);
    LogExitCode(code, true);
    if (launcher != nullptr && launcher->exitListener != nullptr) launcher->exitListener->OnVmExit(code);
}

void JNICALL VmAbortHook() {
    Launcher* launcher = Launcher::Current();
    if (launcher != nullptr) launcher->javaLaunch.capture.ReportIfStarting(launcher->reporter);
    if (launcher != nullptr && launcher->exitListener != nullptr) launcher->exitListener->OnVmAbort();
}

char kAbortOption[] = "abort";
char kExitOption[] = "exit";

HANDLE StartWithCreateThread(LPTHREAD_START_ROUTINE procedure, void* parameter, SIZE_T stackSize) {
    return CreateThread(nullptr, stackSize, procedure, parameter, 0, nullptr);
}

}  // namespace

bool LoadJvmLibrary(Launcher& launcher) {
    AddDllSearchFolder(StripPathComponents(launcher.jvmPath, 2));
    // Never freed: the VM lives until the process ends.
    HMODULE library = LoadLibraryExW(launcher.jvmPath.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (library == nullptr) {
        ShowWindowsErrorWithDetail(launcher.reporter, 222, launcher.jvmPath);
        return false;
    }
    launcher.createJavaVm = reinterpret_cast<Launcher::JniCreateJavaVm>(GetProcAddress(library, "JNI_CreateJavaVM"));
    if (launcher.createJavaVm == nullptr) {
        ShowWindowsError(launcher.reporter, 212);
        return false;
    }
    launcher.getDefaultJavaVmInitArgs = reinterpret_cast<Launcher::JniGetDefaultJavaVmInitArgs>(
        GetProcAddress(library, "JNI_GetDefaultJavaVMInitArgs"));
    if (launcher.getDefaultJavaVmInitArgs == nullptr) {
        ShowWindowsError(launcher.reporter, 212);
        return false;
    }
    launcher.findClassFromBootLoader = reinterpret_cast<Launcher::JvmFindClassFromBootLoader>(
        GetProcAddress(library, "JVM_FindClassFromBootLoader"));
    return true;
}

uint32_t DefaultJavaStackSize(const Launcher& launcher) {
    Jdk11InitArgs args{};
    args.version = JNI_VERSION_1_1;
    launcher.getDefaultJavaVmInitArgs(&args);
    return args.javaStackSize > 0 ? static_cast<uint32_t>(args.javaStackSize) : 0;
}

bool CreateVm(Launcher& launcher) {
    std::vector<JavaVMOption> options;
    options.reserve(launcher.vmOptions.size() + 2);
    for (NarrowString& option : launcher.vmOptions) options.push_back({option.data(), nullptr});
    // The hooks always come last, after every configured option.
    options.push_back({kAbortOption, reinterpret_cast<void*>(&VmAbortHook)});
    options.push_back({kExitOption, reinterpret_cast<void*>(&VmExitHook)});
    JavaVMInitArgs args{};
    args.version = JNI_VERSION_1_2;
    args.nOptions = static_cast<jint>(options.size());
    args.options = options.data();
    // A mistyped option in the settings must fail creation rather than be skipped.
    args.ignoreUnrecognized = JNI_FALSE;
    launcher.javaLaunch.capture.Begin(launcher.reporter);
    const jint result =
        launcher.createJavaVm(&launcher.javaVm, reinterpret_cast<void**>(&launcher.jniEnv), &args);
    if (result != JNI_OK) {
        launcher.javaLaunch.capture.End();
        // A failed creation leaves nothing for the launcher's end to destroy.
        launcher.javaVm = nullptr;
        launcher.jniEnv = nullptr;
        ShowCreateVmError(launcher.reporter, result);
        return false;
    }
    // Before any class of the program loads, so that its first line already goes to the files.
    RedirectStandardStreams(launcher);
    return true;
}

DWORD WINAPI VmThread(void* parameter) {
    auto* launcher = static_cast<Launcher*>(parameter);
    if (launcher == nullptr || !CreateVm(*launcher) || !InvokeMainClass(*launcher)) return 1;
    if (launcher->isService && launcher->javaVm != nullptr) {
        // Waits for the service's own threads; the launcher's end then has nothing left to destroy.
        launcher->javaVm->DestroyJavaVM();
        launcher->javaVm = nullptr;
    }
    return 0;
}

uint32_t RunVmThread(Launcher& launcher) {
    const ThreadStarter start = launcher.vmThreadStarter != nullptr ? launcher.vmThreadStarter : &StartWithCreateThread;
    HandleHolder thread(start(&VmThread, &launcher, static_cast<SIZE_T>(launcher.vmThreadStackSize)));
    if (!thread) return VmThread(&launcher);
    WaitForSingleObject(thread.get(), INFINITE);
    DWORD code = 1;
    if (!GetExitCodeThread(thread.get(), &code)) code = 1;
    return code;
}

}  // namespace tarn
