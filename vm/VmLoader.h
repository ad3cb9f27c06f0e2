// The VM itself: creating it on the VM thread and running that thread.
#pragma once
#include <windows.h>

#include "launcher/Launcher.h"

namespace tarn {

// Creates the VM from vmOptions plus the "abort" and "exit" hooks; false after the error box.
bool CreateVm(Launcher& launcher);
// The VM thread: create the VM, invoke main, and for a service destroy the VM. 0 success, 1 failure.
DWORD WINAPI VmThread(void* launcher);

// Starts a thread as CreateThread does (stack size as initial commit); null when it cannot.
using ThreadStarter = HANDLE (*)(LPTHREAD_START_ROUTINE procedure, void* parameter, SIZE_T stackSize);
// Runs VmThread on a thread of its own and waits for it; when no thread can be started, on this one.
uint32_t RunVmThread(Launcher& launcher, ThreadStarter start);

}  // namespace tarn
