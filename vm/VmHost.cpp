#include "vm/VmHost.h"

namespace tarn {

void ProcessEnvironmentSetup(Launcher&) {}
bool LoadJvmLibrary(Launcher&) { return false; }
bool BuildVmOptions(Launcher&) { return false; }
uint32_t RunVmThread(Launcher&) { return 1; }

}  // namespace tarn
