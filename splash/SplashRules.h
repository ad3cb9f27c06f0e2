// The splash's decisions that need no window: whether to show one, where, and which library.
// Windows-free, so that they are unit-tested natively.
#pragma once
#include "base/Text.h"

namespace tarn {

struct SplashOrigin {
    int left;
    int top;
};

// Centred on a screen of the given size; a picture larger than the screen gets a negative origin.
SplashOrigin CentreOnScreen(int screenWidth, int screenHeight, int width, int height);
// "-nosplash" or "/nosplash" as a whole argument, letter case included.
bool SplashSuppressed(const WStringList& arguments);
// The runtime's splash library for its bin\<vm>\jvm.dll: bin\splashscreen.dll; empty when nothing
// is left of the path after its last two components.
WString SplashLibraryCandidate(const WString& jvmPath);

}  // namespace tarn
