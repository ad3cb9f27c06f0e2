// The running instance's side: a listener thread takes each request and a worker thread per
// request calls the Java program's secondaryMain once main is about to run.
#include <array>
#include <cstring>
#include <memory>

#include "base/Conversion.h"
#include "instance/ArgumentArea.h"
#include "instance/SingleInstance.h"
#include "vm/JavaStrings.h"

namespace tarn {
namespace {

// What a worker needs; it belongs to the worker, which may outlive the launcher's handles.
struct ForwardRequest {
    Launcher* launcher = nullptr;
    DWORD requester = 0;  // the later start's thread, which gets the reply
    UINT replyMessage = 0;
    WStringList arguments;
    HandleHolder mainStarted;  // a handle of its own: the launcher may close its handle first
};

void Reply(const ForwardRequest& request, WPARAM result) {
    PostThreadMessageW(request.requester, request.replyMessage, result, 0);
}

// Whatever the VM still reports is printed; then nothing stays pending on this thread.
bool DescribeFailure(JNIEnv* env) {
    if (env->ExceptionCheck()) env->ExceptionDescribe();
    return false;
}

bool CallOnAttachedThread(JNIEnv* env, const ForwardRequest& request) {
    LocalRef mainClass(env, env->FindClass(ToNarrow(request.launcher->mainClass).c_str()));
    if (mainClass.get() == nullptr) return DescribeFailure(env);
    const auto klass = static_cast<jclass>(mainClass.get());
    jmethodID method = env->GetStaticMethodID(klass, "secondaryMain", "([Ljava/lang/String;)V");
    if (env->ExceptionCheck()) env->ExceptionClear();
    const bool intForm = method == nullptr;
    if (intForm) method = env->GetStaticMethodID(klass, "secondaryMain", "([Ljava/lang/String;)I");
    if (method == nullptr) return DescribeFailure(env);
    LocalRef arguments(env, NewJavaStringArray(env, request.arguments));
    if (arguments.get() == nullptr) return DescribeFailure(env);
    if (intForm) {
        const jint result = env->CallStaticIntMethod(klass, method, arguments.get());
        Reply(request, static_cast<WPARAM>(result));
    } else {
        // The later start need not wait for a void method.
        Reply(request, 0);
        env->CallStaticVoidMethod(klass, method, arguments.get());
    }
    return env->ExceptionCheck() ? DescribeFailure(env) : true;
}

DWORD WINAPI ForwardWorker(void* parameter) {
    const std::unique_ptr<ForwardRequest> request(static_cast<ForwardRequest*>(parameter));
    // secondaryMain never runs before main is about to.
    WaitForSingleObject(request->mainStarted.get(), INFINITE);
    const Launcher& launcher = *request->launcher;
    // Runtimes that admit this vendor keep threads attached, as the VM thread stays attached.
    const bool detach = !(launcher.ibmAllowed || launcher.ibmFav);
    JavaVM* vm = launcher.javaVm;
    if (vm == nullptr) return 1;
    JNIEnv* env = nullptr;
    if (vm->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) return 1;
    const bool called = CallOnAttachedThread(env, *request);
    if (detach) vm->DetachCurrentThread();
    return called ? 0 : 1;
}

// The area is copied at once, in one read, and parsed from the copy: the shared bytes may change
// under us, and the next later start may write them as soon as this one is told it was taken.
WStringList TakeArguments(const SingleInstanceGuard& guard) {
    std::array<uint8_t, kArgumentAreaSize> copy;
    std::memcpy(copy.data(), BlockBytes(guard).subspan(kArgumentAreaOffset).data(), copy.size());
    return ReadArgumentArea(copy);
}

void ServeRequest(Launcher& launcher, DWORD requester) {
    const SingleInstanceGuard& guard = launcher.singleInstance;
    auto request = std::make_unique<ForwardRequest>();
    request->launcher = &launcher;
    request->requester = requester;
    request->replyMessage = guard.requestMessage;
    request->arguments = TakeArguments(guard);
    if (guard.takenMessage != 0) PostThreadMessageW(requester, guard.takenMessage, 0, 0);
    const HANDLE self = GetCurrentProcess();
    const HANDLE event = guard.mainStarted.get();
    if (!DuplicateHandle(self, event, self, request->mainStarted.put(), SYNCHRONIZE, FALSE, 0)) return;
    HandleHolder worker(CreateThread(nullptr, 0, ForwardWorker, request.get(), 0, nullptr));
    if (worker) request.release();
}

}  // namespace

DWORD WINAPI ListenerThread(void* parameter) {
    Launcher& launcher = *static_cast<Launcher*>(parameter);
    SingleInstanceGuard& guard = launcher.singleInstance;
    MSG msg;
    // Later starts find this thread only once it can receive their requests.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    WriteBlockField(BlockBytes(guard), kListenerThreadOffset, GetCurrentThreadId());
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == guard.requestMessage) ServeRequest(launcher, static_cast<DWORD>(msg.wParam));
    }
    return 0;
}

}  // namespace tarn
