#include "service/ServiceStop.h"

#include <algorithm>
#include <memory>

#include "base/Conversion.h"
#include "service/ServiceStatus.h"
#include "vm/JavaStrings.h"

namespace tarn {
namespace {

constexpr unsigned kEndedAfterTimeoutFormat = 300;
constexpr unsigned kNoStopMethodFormat = 301;

// What the thread that asks the program to end needs; its own copies, since the process may be
// ending while it still runs.
struct StopRequest {
    JavaVM* javaVm = nullptr;
    WString stopMethod;
    Reporter reporter;
};

struct StopWatchContext {
    ServiceState& service;
    const Reporter& reporter;
};

// The vendor's static stop method takes a String[] as main does, and gets an empty one. False when
// there is no such method (an exception may be pending). Names pass as UTF-8, which is the JNI's
// modified UTF-8 for every character a class or method name holds in practice.
bool CallStopMethod(JNIEnv* env, const WString& setting) {
    WString className, methodName;
    if (!SplitStopMethod(setting, className, methodName)) return false;
    LocalRef arguments(env, NewJavaStringArray(env, {}));
    return arguments.get() != nullptr && CallStaticVoid(env, ToUtf8(className).c_str(), ToUtf8(methodName).c_str(),
                                                        "([Ljava/lang/String;)V", arguments.get());
}

// Attached as a daemon, so that the VM's own end never waits for this thread. System.exit runs the
// shutdown hooks and ends the process through the VM's exit hook, which reports STOPPED.
DWORD WINAPI AskProgramToEnd(void* parameter) {
    const std::unique_ptr<StopRequest> request(static_cast<StopRequest*>(parameter));
    JNIEnv* env = nullptr;
    char name[] = "Service Stop";
    JavaVMAttachArgs attach{JNI_VERSION_1_2, name, nullptr};
    // A VM that is ending on its own takes no more threads.
    if (request->javaVm->AttachCurrentThreadAsDaemon(reinterpret_cast<void**>(&env), &attach) != JNI_OK) return 0;
    if (!request->stopMethod.empty() && !CallStopMethod(env, request->stopMethod)) {
        if (env->ExceptionCheck()) env->ExceptionDescribe();
        ShowFormattedError(request->reporter, kNoStopMethodFormat, {request->stopMethod});
    }
    // What the stop method threw is printed; the program ends all the same.
    if (env->ExceptionCheck()) env->ExceptionDescribe();
    CallStaticVoid(env, "java/lang/System", "exit", "(I)V", jint{0});
    if (env->ExceptionCheck()) env->ExceptionDescribe();
    request->javaVm->DetachCurrentThread();
    return 0;
}

void StartAskingProgramToEnd(ServiceState& service, const Reporter& reporter) {
    JavaVM* javaVm = service.javaVm;
    if (javaVm == nullptr) return;
    auto request = std::make_unique<StopRequest>();
    request->javaVm = javaVm;
    request->stopMethod = service.stopMethod;
    request->reporter.userInterface = reporter.userInterface;
    request->reporter.eventSource = reporter.eventSource;
    HandleHolder thread(CreateThread(nullptr, 0, AskProgramToEnd, request.get(), 0, nullptr));
    if (thread) request.release();
}

// STOP_PENDING with the time left, until the service has stopped or the time is up; then the
// program is ended, and that is logged.
DWORD WINAPI StopWatch(void* parameter) {
    const std::unique_ptr<StopWatchContext> context(static_cast<StopWatchContext*>(parameter));
    ServiceState& service = context->service;
    StartAskingProgramToEnd(service, context->reporter);
    uint32_t checkPoint = 1;
    for (uint32_t msLeft = service.stopTimeoutMs; msLeft > 0;) {
        const uint32_t wait = std::min(msLeft, kStopReportIntervalMs);
        if (WaitForSingleObject(service.stoppedEvent.get(), wait) == WAIT_OBJECT_0) return 0;
        msLeft -= wait;
        if (!ReportStopping(service, ++checkPoint, msLeft)) return 0;
    }
    ShowFormattedError(context->reporter, kEndedAfterTimeoutFormat,
                       {static_cast<long long>(service.stopTimeoutMs / 1000)});
    if (ReportStopped(service, 0)) TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}

}  // namespace

void BeginStop(ServiceState& service, const Reporter& reporter) {
    if (service.stopRequested.exchange(true)) return;
    if (!ReportStopping(service, 1, service.stopTimeoutMs)) return;
    auto context = std::make_unique<StopWatchContext>(StopWatchContext{service, reporter});
    const HandleHolder stopWatch(CreateThread(nullptr, 0, StopWatch, context.get(), 0, nullptr));
    if (stopWatch) {
        context.release();
    } else {
        StartAskingProgramToEnd(service, reporter);  // without the time limit
    }
}

}  // namespace tarn
