// The one object that owns a run of the launcher: settings, chosen runtime, VM and arguments.
#pragma once
#include <windows.h>

#include <jni.h>

#include <cstdint>

#include "base/Text.h"
#include "launcher/CommandLine.h"
#include "instance/SingleInstanceGuard.h"
#include "jre/JavaVersion.h"
#include "jre/JvmType.h"

namespace tarn {

// Told by the VM's exit and abort hooks; the launcher itself never installs one.
class VmExitListener {
public:
    virtual void OnVmExit(int32_t code) = 0;
    virtual void OnVmAbort() = 0;

protected:
    ~VmExitListener() = default;
};

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

    VmExitListener* exitListener = nullptr;
    int32_t jvmType = kClientFirst;
    WString jvmPath;
    JavaVM* javaVm = nullptr;
    JNIEnv* jniEnv = nullptr;
    WString mainClass;
    JavaVersion foundVersion;
    JavaVersion minVersion;
    JavaVersion maxVersion;
    WStringList arguments;
    HWND splashWindowHandle = nullptr;
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
    WString productName;
    WString productCode;
    WString upgradeCode;
    NarrowStringList vmOptions;
    WStringList preferredVersions;
    WString jrePath;
    WString libraryPath;
    SingleInstanceGuard singleInstance;
    WString outputFile;
    WString errorFile;
    bool outputAppend = false;
    bool errorAppend = false;
    WString systemPath;
    WString extraCommandLine;
    WString pairProduct;
    bool pairReturnCode = false;
    bool failureCheck = false;
    bool overrideWorkingDir = false;
    uint32_t vmThreadStackSize = 0;
    bool usePairedProduct = false;

    using JniCreateJavaVm = jint(JNICALL*)(JavaVM**, void**, void*);
    using JniGetDefaultJavaVmInitArgs = jint(JNICALL*)(void*);
    using JvmFindClassFromBootLoader = jclass(JNICALL*)(JNIEnv*, const char*);
    JniCreateJavaVm createJavaVm = nullptr;
    JniGetDefaultJavaVmInitArgs getDefaultJavaVmInitArgs = nullptr;
    JvmFindClassFromBootLoader findClassFromBootLoader = nullptr;
};

}  // namespace tarn
