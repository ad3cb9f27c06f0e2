#include "tests/kit/Locations.h"

#include "base/Environment.h"

namespace tarn::test {

WString BuildDir() { return GetEnvironment(L"TARN_BUILD_DIR"); }
WString OtherBuildDir() { return GetEnvironment(L"TARN_OTHER_BUILD_DIR"); }
WString Arm64BuildDir() { return GetEnvironment(L"TARN_ARM64_BUILD_DIR"); }
WString SourceDir() { return GetEnvironment(L"TARN_SOURCE_DIR"); }
WString LauncherExe() { return BuildDir() + (sizeof(void*) == 8 ? L"\\tarn64.exe" : L"\\tarn.exe"); }
WString OtherLauncherExe() { return OtherBuildDir() + (sizeof(void*) == 8 ? L"\\tarn.exe" : L"\\tarn64.exe"); }

}  // namespace tarn::test
