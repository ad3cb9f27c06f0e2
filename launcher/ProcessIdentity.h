// What the process is to Windows before the VM exists: its priority class ("Process Priority") and
// its taskbar identity ("App User Model ID"). A launcher process it starts (a paired product, or a
// run of a restarting program) is handed both.
#pragma once
#include <windows.h>

#include "base/Text.h"

namespace tarn {

class Launcher;

struct ProcessIdentity {
    WString appUserModelId;   // the setting, else the one the starting launcher handed on
    DWORD priorityClass = 0;  // "Process Priority"; 0: the process stays as it was started
};

// Applies the two settings to this process; false after reporting a value that cannot be used.
// Without them nothing is loaded and nothing changes.
bool TakeProcessIdentity(Launcher& launcher, const WString& appUserModelId, const WString& priority);
// Right before another launcher process is created (suspended): hands the ID on through that
// process's environment.
void HandOnIdentity(const ProcessIdentity& identity);
// The created process, while still suspended, takes this one's priority class. (Creation flags would
// do on Windows, but Wine ignores them.)
void GivePriority(const ProcessIdentity& identity, HANDLE process);

}  // namespace tarn
