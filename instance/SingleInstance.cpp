#include "instance/SingleInstance.h"

#include "base/Files.h"
#include "instance/ArgumentArea.h"
#include "instance/InstanceNames.h"
#include "launcher/Settings.h"

namespace tarn {
namespace {

// Problems of the mode itself make this an ordinary start. The shared objects are given up too,
// so that the next start becomes a running instance instead of handing over to a silent one.
bool SwitchOff(SingleInstanceGuard& guard) {
    guard.enabled = false;
    guard.isPrimary = false;
    guard.blockView.reset();
    guard.mapping.reset();
    guard.mainStarted.reset();
    return true;
}

bool StartListener(Launcher& launcher) {
    SingleInstanceGuard& guard = launcher.singleInstance;
    DWORD id = 0;
    guard.listenerThread.reset(CreateThread(nullptr, 0, ListenerThread, &launcher, 0, &id));
    // The listener publishes its id in the block itself, once its message queue exists.
    guard.listenerThreadId = id;
    return static_cast<bool>(guard.listenerThread);
}

// The running instance: the event that orders secondaryMain after main, the request message, the
// process id, and the listener.
void BecomeRunningInstance(Launcher& launcher, const WString& baseName) {
    SingleInstanceGuard& guard = launcher.singleInstance;
    SetLastError(0);
    guard.mainStarted.reset(CreateEventW(nullptr, TRUE, FALSE, MainStartedEventName(baseName).c_str()));
    // An event of that name made by someone else might already be set: no ordering without our own.
    if (!guard.mainStarted || GetLastError() == ERROR_ALREADY_EXISTS) {
        SwitchOff(guard);
        return;
    }
    const auto block = BlockBytes(guard);
    guard.requestMessage = RegisterWindowMessageW(baseName.c_str());
    WriteBlockField(block, kMessageIdOffset, guard.requestMessage);
    if (guard.requestMessage == 0) {
        SwitchOff(guard);
        return;
    }
    guard.takenMessage = RegisterWindowMessageW(ForwardTakenName(baseName).c_str());
    WriteBlockField(block, kProcessIdOffset, GetCurrentProcessId());
    if (!StartListener(launcher)) SwitchOff(guard);
}

}  // namespace

std::span<uint8_t> BlockBytes(const SingleInstanceGuard& guard) {
    return {static_cast<uint8_t*>(guard.blockView.get()), guard.blockView ? kBlockSize : 0};
}

bool SetUpSingleInstance(Launcher& launcher, bool joinOnly) {
    SettingsStore* settings = LayeredSettings(launcher);
    if (!settings) return false;
    if (settings->Read(kApplicationSection, L"Application Type") == L"service") return true;
    if (settings->Read(kApplicationSection, L"Single Instance") != L"yes") return true;
    SingleInstanceGuard& guard = launcher.singleInstance;
    guard.enabled = true;

    const WString baseName = InstanceBaseName(ModulePath());
    SetLastError(0);
    guard.mapping.reset(joinOnly ? OpenFileMappingW(FILE_MAP_WRITE, FALSE, baseName.c_str())
                                 : CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBlockSize,
                                                      baseName.c_str()));
    if (!guard.mapping) return SwitchOff(guard);
    guard.isPrimary = !joinOnly && GetLastError() == 0;
    // Exactly the block's size: a smaller object of that name fails here rather than being read past.
    guard.blockView.reset(MapViewOfFile(guard.mapping.get(), FILE_MAP_WRITE, 0, 0, kBlockSize));
    if (!guard.blockView) return SwitchOff(guard);

    if (!guard.isPrimary) return ForwardArguments(launcher, baseName);
    BecomeRunningInstance(launcher, baseName);
    return true;
}

bool IsLaterStart(const Launcher& launcher) {
    return launcher.singleInstance.enabled && !launcher.singleInstance.isPrimary;
}

void SignalMainStarted(Launcher& launcher) {
    if (launcher.singleInstance.mainStarted) SetEvent(launcher.singleInstance.mainStarted.get());
}

void ReleaseSingleInstance(Launcher& launcher) {
    SingleInstanceGuard& guard = launcher.singleInstance;
    if (guard.enabled && guard.isPrimary && guard.listenerThread) {
        // Our own copy of the id, not the block's. Posting again covers a listener whose queue
        // did not exist yet; workers still running are not waited for.
        do {
            PostThreadMessageW(guard.listenerThreadId, WM_QUIT, 0, 0);
        } while (WaitForSingleObject(guard.listenerThread.get(), 100) == WAIT_TIMEOUT);
        guard.listenerThread.reset();
    }
    guard.blockView.reset();
    guard.mapping.reset();
    guard.mainStarted.reset();
}

}  // namespace tarn
