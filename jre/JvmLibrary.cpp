#include "jre/JvmLibrary.h"

#include "base/Files.h"

namespace tarn {

JvmLibrary SelectJvmLibrary(const WString& home, int32_t jvmType) {
    // A folder that happens to carry the library's name is no library.
    return ChooseJvmLibrary(home, jvmType, [](const WString& path) { return FileExists(path); });
}

// The same test as for the library: a folder named bin\java.dll marks nothing.
bool IsJavaHome(const WString& home) { return FileExists(home + kJavaMarker); }

}  // namespace tarn
