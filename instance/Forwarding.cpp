// The later start's side: hand the arguments to the running instance, then wait for its reply.
#include <algorithm>

#include "instance/ArgumentArea.h"
#include "instance/InstanceNames.h"
#include "instance/SingleInstance.h"

namespace tarn {
namespace {

constexpr DWORD kLockWaitMs = 10000;
constexpr DWORD kTakenWaitMs = 5000;
constexpr DWORD kPollMs = 100;

// Held while this start owns the argument area. An owner that died leaves the lock abandoned,
// which hands it on.
class ForwardLock {
public:
    explicit ForwardLock(const WString& baseName)
        : mutex_(CreateMutexW(nullptr, FALSE, ForwardLockName(baseName).c_str())) {
        if (!mutex_) return;
        const DWORD result = WaitForSingleObject(mutex_.get(), kLockWaitMs);
        owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    }
    ~ForwardLock() {
        if (owned_) ReleaseMutex(mutex_.get());
    }
    ForwardLock(const ForwardLock&) = delete;
    ForwardLock& operator=(const ForwardLock&) = delete;
    bool Owned() const { return owned_; }

private:
    HandleHolder mutex_;
    bool owned_ = false;
};

// A block written by our running instance names its listener thread inside its process and
// carries the request message this session registered for the path. Anything else is not ours.
bool HeaderIsOurs(DWORD listener, DWORD process, UINT message, UINT expectedMessage) {
    if (expectedMessage == 0 || message != expectedMessage || listener == 0 || process == 0) return false;
    HandleHolder thread(OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, listener));
    return thread && GetProcessIdOfThread(thread.get()) == process;
}

// Until the listener says it has copied the area, or the time runs out; the reply itself stays queued.
void AwaitTaken(UINT takenMessage) {
    if (takenMessage == 0) return;
    const ULONGLONG deadline = GetTickCount64() + kTakenWaitMs;
    for (;;) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, takenMessage, takenMessage, PM_REMOVE)) return;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                  QS_ALLPOSTMESSAGE);
    }
}

}  // namespace

bool ForwardArguments(Launcher& launcher, const WString& baseName) {
    SingleInstanceGuard& guard = launcher.singleInstance;
    if (ForwardedSize(launcher.arguments) > kForwardLimit) return false;
    ForwardLock lock(baseName);
    if (!lock.Owned()) return false;

    // The header is read once; later changes to it cannot redirect this start.
    const auto block = BlockBytes(guard);
    const DWORD listener = ReadBlockField(block, kListenerThreadOffset);
    const DWORD process = ReadBlockField(block, kProcessIdOffset);
    const UINT message = ReadBlockField(block, kMessageIdOffset);
    if (!HeaderIsOurs(listener, process, message, RegisterWindowMessageW(baseName.c_str()))) return false;
    guard.requestMessage = message;
    guard.runningProcessId = process;
    if (!WriteArgumentArea(launcher.arguments, block.subspan(kArgumentAreaOffset))) return false;

    // The reply can only reach a thread that has a message queue.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    if (!PostThreadMessageW(listener, message, GetCurrentThreadId(), 0)) return false;
    AwaitTaken(RegisterWindowMessageW(ForwardTakenName(baseName).c_str()));
    // Let go of the block: should the running instance end while this start waits, the next start
    // must be able to create the block anew and become the running instance.
    guard.blockView.reset();
    guard.mapping.reset();
    return true;
}

int32_t AwaitForwardReply(Launcher& launcher) {
    const SingleInstanceGuard& guard = launcher.singleInstance;
    HandleHolder running(OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, guard.runningProcessId));
    if (!running) return 0;
    HANDLE handles[] = {running.get()};
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == guard.requestMessage) return static_cast<int32_t>(msg.wParam);
        }
        // The process's end, not its exit code, says it has ended: a program may exit with 259.
        if (WaitForSingleObject(running.get(), 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            return GetExitCodeProcess(running.get(), &code) ? static_cast<int32_t>(code) : -1;
        }
        MsgWaitForMultipleObjects(1, handles, FALSE, kPollMs, QS_ALLPOSTMESSAGE);
    }
}

}  // namespace tarn
