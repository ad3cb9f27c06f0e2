// The VM itself: creating it on the VM thread and running that thread.
#pragma once
#include <windows.h>

#include "launcher/Launcher.h"

namespace tarn {

// Creates the VM from vmOptions plus the "abort" and "exit" hooks; false after the error box.
bool CreateVm(Launcher& launcher);
// The VM thread: create the VM, invoke main, and for a service destroy the VM. 0 success, 1 failure.
DWORD WINAPI VmThread(void* launcher);


}  // namespace tarn
