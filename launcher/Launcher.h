// The one object that owns a run of the launcher: settings, chosen runtime, VM and arguments.
#pragma once
#include <windows.h>

#include <jni.h>

#include <cstdint>
#include <memory>

#include "base/Handles.h"
#include "base/OptionPath.h"
#include "base/Text.h"
#include "launcher/CommandLine.h"
#include "launcher/ProcessIdentity.h"
#include "launcher/Restart.h"
#include "report/Reporter.h"
#include "instance/SingleInstanceGuard.h"
#include "jre/JavaVersion.h"
#include "jre/JvmType.h"
#include "jre/MachineFit.h"
#include "jre/PeImage.h"
#include "service/ServiceState.h"
#include "splash/SplashCloseHolder.h"
#include "vm/JavaLaunch.h"

namespace tarn {

class LayeredSettingsStore;
class SplashWindow;

// Starts a thread as CreateThread does (stack size as initial commit); null when it cannot.
using ThreadStarter = HANDLE (*)(LPTHREAD_START_ROUTINE procedure, void* parameter, SIZE_T stackSize);

// Told by the VM's exit and abort hooks; a service installs one (launcher/ServiceMain.cpp), to report
// its end to the SCM before the VM ends the process.
class VmExitListener {
public:
    virtual void OnVmExit(int32_t code) = 0;
    virtual void OnVmAbort() = 0;

protected:
    ~VmExitListener() = default;
};

// One run of the launcher process, from the entry point: its exit code.
int LauncherMain(UserInterface userInterface);
// Makes the launcher's own folder the current folder ("Override WorkingDir", and every service).
void MakeLauncherFolderCurrent();

class Launcher {
public:
    Launcher();
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    bool Init();
    int32_t Run();

    // The process-wide launcher, for the VM hooks that receive no context.
    static Launcher* Current();

    Reporter reporter;  // how the user is told; chosen by the entry point, before Init
    VmExitListener* exitListener = nullptr;
    HandleHolder splashThread;
    DWORD splashThreadId = 0;
    WString splashImage;
    WString splashShadow;
    int32_t jvmType = kClientFirst;
    WString jvmPath;
    JavaVM* javaVm = nullptr;
    JNIEnv* jniEnv = nullptr;
    WString mainClass;  // in jar and module mode, the class the launcher helper loaded
    JavaLaunch javaLaunch;
    JavaVersion foundVersion;
    JavaVersion minVersion;
    JavaVersion maxVersion;
    WStringList arguments;
    std::unique_ptr<SplashWindow> splashWindow;
    bool isService = false;
    bool jdkWanted = false;
    bool jreWanted = false;
    bool mixedSources = true;
    bool jrockitAllowed = false;
    bool sunAllowed = true;
    bool ibmAllowed = false;
    bool jrockitFav = false;
    bool sunFav = true;
    bool ibmFav = false;
    bool allVendors = false;             // "All Vendors": the keys of today's runtime installers too
    bool vmThreadStaysAttached = false;  // the chosen runtime's registry key asks main's thread to stay attached
    WString productName;
    WString productCode;
    WString upgradeCode;
    NarrowStringList vmOptions;
    // Where paths in options find their short forms; a test launcher stands for a volume without them.
    ShortPathReader shortPathReader = &SystemShortPath;
    ThreadStarter vmThreadStarter = nullptr;  // CreateThread; a test launcher stands for one that cannot start it
    WStringList preferredVersions;
    WString jrePath;
    WString libraryPath;
    SingleInstanceGuard singleInstance;
    ProcessIdentity identity;  // priority class and taskbar identity, taken before any window
    RestartPolicy restart;     // "Restart Exit Codes": whether this process supervises runs, or is one
    WString outputFile;
    WString errorFile;
    bool outputAppend = false;
    bool errorAppend = false;
    WString systemPath;
    WString extraCommandLine;
    WString pairProduct;
    MachinePairing machines{.readHost = &RunningMachine};  // and "Pair Product ARM64"
    bool pairReturnCode = false;
    bool failureCheck = false;
    bool overrideWorkingDir = false;
    uint64_t vmThreadStackSize = 0;  // bytes, as "-Xss" asks; never more than a size_t holds
    SplashCloseHolder splashClose;
    // The settings file as ReadSettings opened it: the later steps read through it, so each section is
    // read from the file once a run. Only "JRE Path" is ever written meanwhile, and it is read before.
    std::unique_ptr<LayeredSettingsStore> settings;
    bool usePairedProduct = false;
    bool mainThrew = false;  // main ended with an exception that the VM then printed
    ServiceState service;    // a run the Service Control Manager started (launcher/ServiceMain.cpp)

    using JniCreateJavaVm = jint(JNICALL*)(JavaVM**, void**, void*);
    using JniGetDefaultJavaVmInitArgs = jint(JNICALL*)(void*);
    using JvmFindClassFromBootLoader = jclass(JNICALL*)(JNIEnv*, const char*);
    JniCreateJavaVm createJavaVm = nullptr;
    JniGetDefaultJavaVmInitArgs getDefaultJavaVmInitArgs = nullptr;
    JvmFindClassFromBootLoader findClassFromBootLoader = nullptr;
};

}  // namespace tarn
