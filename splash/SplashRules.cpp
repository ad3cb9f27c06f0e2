#include "splash/SplashRules.h"

#include "base/PathText.h"

namespace tarn {

// Integer division truncates toward zero, so an odd overhang leans right and down, never past
// the screen's edge by more than half a pixel.
SplashOrigin CentreOnScreen(int screenWidth, int screenHeight, int width, int height) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

bool SplashSuppressed(const WStringList& arguments) {
    return FindInList(arguments, L"-nosplash") >= 0 || FindInList(arguments, L"/nosplash") >= 0;
}

WString SplashLibraryCandidate(const WString& jvmPath) {
    WString bin = StripPathComponents(jvmPath, 2);
    if (bin.empty()) return {};
    if (bin.back() != L'\\' && bin.back() != L'/') bin += L'\\';
    return bin + L"splashscreen.dll";
}

}  // namespace tarn
