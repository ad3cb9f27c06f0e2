// The invocation interface: creating the VM, its defaults, and the JavaVM functions.
#include "tests/standin/runtime/Invocation.h"

#include <cstdio>

#include "tests/standin/common/TraceLog.h"
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/Describe.h"
#include "tests/standin/runtime/Lang.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

std::string Hex(jint value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(value));
    return text;
}

// The reserved stack of the calling thread: the committed part this frame lies in runs up to the
// stack's top, and its allocation starts at the bottom of the reserve.
size_t ThreadStackReserve() {
    MEMORY_BASIC_INFORMATION region{};
    VirtualQuery(&region, &region, sizeof region);
    return static_cast<const char*>(region.BaseAddress) + region.RegionSize -
           static_cast<const char*>(region.AllocationBase);
}

// A real VM's default Java stack size; tests choose another one (also 0 or negative) by variable.
jint DefaultStackSize() {
    wchar_t text[32];
    const DWORD length = GetEnvironmentVariableW(L"TARN_STANDIN_DEFAULT_STACK", text, 32);
    if (length > 0 && length < 32) return static_cast<jint>(std::wcstol(text, nullptr, 10));
    return sizeof(void*) == 8 ? 1024 * 1024 : 320 * 1024;
}

jint Traced(const char* function, jint result, const std::string& detail = {}) {
    TraceLine(std::string(function) + " returned", std::to_string(result) + detail);
    return result;
}

jint JNICALL DestroyJavaVM(JavaVM* javaVm) {
    TraceLine("DestroyJavaVM");
    Vm& vm = TheVm();
    if (javaVm != &vm.javaVm || vm.state != Vm::State::Running) return Traced("DestroyJavaVM", JNI_ERR);
    ThreadRecord* self = vm.threads.Current();
    if (self == nullptr) self = &vm.threads.Attach("DestroyJavaVM", false);
    vm.threads.WaitForNonDaemonThreads(self);
    RunShutdownHooks();
    vm.threads.Detach(*self);
    vm.state = Vm::State::Destroyed;
    return Traced("DestroyJavaVM", JNI_OK);
}

jint Attach(const char* function, JavaVM* javaVm, void** env, void* arguments, bool daemon) {
    const auto* attachArguments = static_cast<const JavaVMAttachArgs*>(arguments);
    TraceLine(function, attachArguments == nullptr
                            ? "no arguments"
                            : "version=" + Hex(attachArguments->version) + " name=" + QuoteName(attachArguments->name));
    Vm& vm = TheVm();
    if (env == nullptr || javaVm != &vm.javaVm || vm.state != Vm::State::Running) return Traced(function, JNI_ERR);
    if (attachArguments != nullptr && !IsSupportedJniVersion(attachArguments->version) &&
        attachArguments->version != JNI_VERSION_1_1) {
        return Traced(function, JNI_EVERSION);
    }
    ThreadRecord* record = vm.threads.Current();
    if (record == nullptr) {
        const bool named = attachArguments != nullptr && attachArguments->name != nullptr;
        record =
            &vm.threads.Attach(named ? ToUtf8(FromModifiedUtf8(attachArguments->name)) : vm.threads.NextName(), daemon);
    }
    *env = &record->env;
    return Traced(function, JNI_OK, " (" + record->name + ")");
}

jint JNICALL AttachCurrentThread(JavaVM* javaVm, void** env, void* arguments) {
    return Attach("AttachCurrentThread", javaVm, env, arguments, false);
}

// A daemon thread: DestroyJavaVM does not wait for it.
jint JNICALL AttachCurrentThreadAsDaemon(JavaVM* javaVm, void** env, void* arguments) {
    return Attach("AttachCurrentThreadAsDaemon", javaVm, env, arguments, true);
}

jint JNICALL DetachCurrentThread(JavaVM* javaVm) {
    TraceLine("DetachCurrentThread");
    Vm& vm = TheVm();
    if (javaVm != &vm.javaVm || vm.state != Vm::State::Running) return Traced("DetachCurrentThread", JNI_ERR);
    ThreadRecord* record = vm.threads.Current();
    if (record == nullptr) {
        // A real VM lets this pass silently; it is a bug in the caller all the same.
        TraceWarning("DetachCurrentThread: thread " + std::to_string(GetCurrentThreadId()) +
                     " is not attached (detached twice?)");
        return Traced("DetachCurrentThread", JNI_OK);
    }
    // An exception still pending is the thread's uncaught exception: the default handler prints it.
    if (record->pending != nullptr) PrintUncaught(*record);
    vm.threads.Detach(*record);
    return Traced("DetachCurrentThread", JNI_OK, " (" + record->name + ")");
}

jint JNICALL GetEnv(JavaVM* javaVm, void** env, jint version) {
    TraceLine("GetEnv", "version=" + Hex(version));
    Vm& vm = TheVm();
    if (env == nullptr || javaVm != &vm.javaVm) return Traced("GetEnv", JNI_ERR);
    *env = nullptr;
    ThreadRecord* record = vm.state == Vm::State::Running ? vm.threads.Current() : nullptr;
    if (record == nullptr) return Traced("GetEnv", JNI_EDETACHED);
    if (!IsSupportedJniVersion(version) && version != JNI_VERSION_1_1) return Traced("GetEnv", JNI_EVERSION);
    *env = &record->env;
    return Traced("GetEnv", JNI_OK);
}

JNIInvokeInterface_ BuildInvokeTable() {
    JNIInvokeInterface_ table{};
    table.DestroyJavaVM = DestroyJavaVM;
    table.AttachCurrentThread = AttachCurrentThread;
    table.DetachCurrentThread = DetachCurrentThread;
    table.GetEnv = GetEnv;
    table.AttachCurrentThreadAsDaemon = AttachCurrentThreadAsDaemon;
    return table;
}

void TraceCreation(const JavaVMInitArgs& arguments) {
    TraceLine("JNI_CreateJavaVM", "version=" + Hex(arguments.version) +
                                      " nOptions=" + std::to_string(arguments.nOptions) +
                                      " ignoreUnrecognized=" + (arguments.ignoreUnrecognized ? "true" : "false") +
                                      " threadStack=" + std::to_string(ThreadStackReserve()));
    for (jint i = 0; i < arguments.nOptions; ++i) {
        const JavaVMOption& option = arguments.options[i];
        const std::string text = option.optionString != nullptr ? ToUtf8(FromAnsi(option.optionString)) : "(null)";
        if (option.extraInfo != nullptr)
            TraceLine("Option", {text, "extraInfo"});
        else
            TraceLine("Option", text);
    }
}

}  // namespace

const JNIInvokeInterface_* InvokeFunctions() {
    static const JNIInvokeInterface_ table = BuildInvokeTable();
    return &table;
}

jint CreateJavaVm(JavaVM** javaVm, void** env, void* rawArguments) {
    const auto* arguments = static_cast<const JavaVMInitArgs*>(rawArguments);
    if (javaVm == nullptr || env == nullptr || arguments == nullptr) {
        TraceLine("JNI_CreateJavaVM", "null argument");
        TraceWarning("JNI_CreateJavaVM: null argument");
        return Traced("JNI_CreateJavaVM", JNI_EINVAL);
    }
    *javaVm = nullptr;
    *env = nullptr;
    TraceCreation(*arguments);
    ThreadRecord* mainThread = nullptr;
    const jint result = TheVm().Create(*arguments, mainThread);
    if (result == JNI_OK) {
        *javaVm = &TheVm().javaVm;
        *env = &mainThread->env;
    }
    return Traced("JNI_CreateJavaVM", result);
}

jint GetDefaultJavaVmInitArgs(void* rawArguments) {
    auto* arguments = static_cast<JDK1_1InitArgs*>(rawArguments);
    TraceLine("JNI_GetDefaultJavaVMInitArgs", arguments != nullptr ? "version=" + Hex(arguments->version) : "null");
    if (arguments == nullptr) return Traced("JNI_GetDefaultJavaVMInitArgs", JNI_ERR);
    // As a real VM: a 1.1 request is not supported, but still learns the default stack size.
    const jint result = IsSupportedJniVersion(arguments->version) ? JNI_OK : JNI_ERR;
    if (arguments->version == JNI_VERSION_1_1) {
        arguments->version = JNI_VERSION_1_2;
        arguments->javaStackSize = DefaultStackSize();
        return Traced("JNI_GetDefaultJavaVMInitArgs", result,
                      " javaStackSize=" + std::to_string(arguments->javaStackSize));
    }
    return Traced("JNI_GetDefaultJavaVMInitArgs", result);
}

}  // namespace tarn::standin
