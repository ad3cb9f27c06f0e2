// The JVM library of a runtime folder and the test that a folder is a runtime, on the real file system.
#pragma once
#include "jre/JvmChoice.h"

namespace tarn {

// home ends with a backslash; an empty path in the result means no library qualifies.
JvmLibrary SelectJvmLibrary(const WString& home, int32_t jvmType);
// True when home (ending with a backslash) holds the file bin\java.dll.
bool IsJavaHome(const WString& home);

}  // namespace tarn
