// Hosting the Java VM in this process: environment, library, options, VM thread.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// Publishes the runtime in the environment and adds the library-path option; false after the error box.
bool ProcessEnvironmentSetup(Launcher& launcher);
// Loads jvmPath and its entry points; false after the error box.
bool LoadJvmLibrary(Launcher& launcher);
// Builds vmOptions, the file settings and the extra arguments; false after the error box.
bool BuildVmOptions(Launcher& launcher);
// The VM's default Java stack size in bytes (JNI 1.1 defaults), 0 when it names none.
uint32_t DefaultJavaStackSize(const Launcher& launcher);
// Runs the VM thread (create the VM, invoke main) and waits for it: 0 for success, 1 for failure.
// When no thread can be started, the VM steps run on this one.
uint32_t RunVmThread(Launcher& launcher);

}  // namespace tarn
