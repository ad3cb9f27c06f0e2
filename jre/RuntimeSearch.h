// Choosing the Java runtime: configured folder, beside the executable, registry, JAVA_HOME.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// Sets jvmPath (and foundVersion, usePairedProduct) from the first source that yields a JVM library.
bool DiscoverRuntime(Launcher& launcher);
// Who runs the JVM library at path, by its machine; a file that is no image counts as built for assumed.
RuntimeFit FitOfLibrary(Launcher& launcher, const WString& path, uint16_t assumed);
// Decides who runs the library at jvmPath: this launcher, or the paired launcher named for its
// machine (usePairedProduct, machines.toArm64Product). False when the system cannot run it at all.
bool CheckJvmArchitecture(Launcher& launcher);

// The runtime shipped with the program in folder (the folder itself, else its jre\), with a
// trailing backslash; empty when neither holds bin\java.dll.
WString LocalRuntimeHomeIn(const WString& folder);
// The same for the launcher's own folder.
WString LocalRuntimeHome();
// The folder named by JAVA_HOME with a trailing backslash, when it holds bin\java.dll; else empty.
WString JavaHomeFromEnvironment();

}  // namespace tarn
