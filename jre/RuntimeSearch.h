// Choosing the Java runtime: configured folder, beside the executable, registry, JAVA_HOME.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// Sets jvmPath (and foundVersion, usePairedProduct) from the first source that yields a JVM library.
bool DiscoverRuntime(Launcher& launcher);
// Sets usePairedProduct when a paired product is configured and jvmPath is an image of the other machine.
void CheckJvmArchitecture(Launcher& launcher);

}  // namespace tarn
