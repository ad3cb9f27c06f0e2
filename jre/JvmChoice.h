// Which jvm.dll of a runtime folder qualifies under a JVM Type policy.
// Windows-free: the file-system test is handed in, so the order can be checked on its own.
#pragma once
#include <functional>

#include "base/Text.h"
#include "jre/JvmType.h"

namespace tarn {

struct JvmLibrary {
    WString path;         // empty when no library qualifies
    bool server = false;  // the library is the server VM
};

using PathProbe = std::function<bool(const WString& path)>;

// home ends with a backslash; exists tells whether a full path is present.
JvmLibrary ChooseJvmLibrary(const WString& home, int32_t jvmType, const PathProbe& exists);

// The file whose presence marks a folder as a Java runtime, relative to its home.
inline constexpr const wchar_t* kJavaMarker = L"bin\\java.dll";

}  // namespace tarn
