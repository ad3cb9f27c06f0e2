#include "jre/JvmLibrary.h"

#include "base/Files.h"

namespace tarn {

JvmLibrary SelectJvmLibrary(const WString& home, int32_t jvmType) {
    return ChooseJvmLibrary(home, jvmType, [](const WString& path) { return PathExists(path); });
}

bool IsJavaHome(const WString& home) { return PathExists(home + kJavaMarker); }

}  // namespace tarn
