// Where the build put what the tests use (handed in by the test runner as Windows paths).
#pragma once
#include "base/Text.h"

namespace tarn::test {

WString BuildDir();        // this architecture's build tree
WString OtherBuildDir();   // the other architecture's build tree (may not exist)
WString Arm64BuildDir();   // the ARM64 build tree; empty unless it was built (TARN_ARM64=1)
WString SourceDir();
WString LauncherExe();     // the launcher built for this machine
WString OtherLauncherExe();

}  // namespace tarn::test
