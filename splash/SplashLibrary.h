// The bridge to the runtime's own splash library, bin\splashscreen.dll.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// The runtime's splash library for the VM library path, when the file exists; empty otherwise.
WString FindSplashLibrary(const WString& jvmPath);
// Loads the library (never unloaded) and shows the picture through it; false when the caller is
// to show its own window instead.
bool StartSplashLibrary(Launcher& launcher, const WString& libraryPath, const WString& picturePath);

}  // namespace tarn
