// Loading the main class and calling its static main on the VM thread.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// True when main was called and the thread detached from the VM; false after the failure was
// reported. The thread is detached on every road, so the VM's end never waits for it.
bool InvokeMainClass(Launcher& launcher);

}  // namespace tarn
