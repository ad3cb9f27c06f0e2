// The later start's side: hand the arguments to the running instance, then wait for its reply.
#include <algorithm>
#include <optional>

#include "instance/ArgumentArea.h"
#include "instance/InstanceNames.h"
#include "instance/SingleInstance.h"
#include "report/Reporter.h"

namespace tarn {
namespace {

constexpr DWORD kLockWaitMs = 10000;
constexpr DWORD kHeaderWaitMs = 2000;
constexpr DWORD kTakenWaitMs = 5000;
constexpr DWORD kPollMs = 100;
constexpr unsigned kBlockHeldFormat = 262;

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

struct BlockHeader {
    DWORD listener = 0;
    DWORD process = 0;
    UINT message = 0;
};

// A block written by our running instance names its listener thread inside its process and
// carries the request message this session registered for the path. Anything else is not ours.
bool HeaderIsOurs(const BlockHeader& header, UINT expectedMessage) {
    if (expectedMessage == 0 || header.message != expectedMessage || header.listener == 0 || header.process == 0)
        return false;
    HandleHolder thread(OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, header.listener));
    return thread && GetProcessIdOfThread(thread.get()) == header.process;
}

// The running instance fills the header in its first moments, so a start that comes then waits
// for it. The header is taken once it is ours; later changes to it cannot redirect this start.
std::optional<BlockHeader> AwaitOurHeader(std::span<const uint8_t> block, UINT expectedMessage) {
    const ULONGLONG deadline = GetTickCount64() + kHeaderWaitMs;
    for (;;) {
        const BlockHeader header{ReadBlockField(block, kListenerThreadOffset), ReadBlockField(block, kProcessIdOffset),
                                 ReadBlockField(block, kMessageIdOffset)};
        if (HeaderIsOurs(header, expectedMessage)) return header;
        if (GetTickCount64() >= deadline) return std::nullopt;
        Sleep(kPollMs);
    }
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
    const auto block = BlockBytes(guard);
    const std::optional<BlockHeader> header =
        lock.Owned() ? AwaitOurHeader(block, RegisterWindowMessageW(baseName.c_str())) : std::nullopt;
    if (!header) {
        // Someone else holds the mode's objects. Starting anyway would run a second copy of a program
        // that asked to run once, which may then write over the running copy's files: say so instead.
        ShowFormattedError(launcher.reporter, kBlockHeldFormat, {baseName});
        return false;
    }
    guard.requestMessage = header->message;
    guard.runningProcessId = header->process;
    if (!WriteArgumentArea(launcher.arguments, block.subspan(kArgumentAreaOffset))) return false;

    // The reply can only reach a thread that has a message queue.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    if (!PostThreadMessageW(header->listener, header->message, GetCurrentThreadId(), 0)) return false;
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
