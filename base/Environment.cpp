#include "base/Environment.h"

#include <windows.h>

#include "base/EnvironmentReferences.h"

namespace tarn {

// The system's ExpandEnvironmentStringsW stops at 32K characters, which a class path of a few
// hundred jars exceeds; so references are expanded here, looking each variable up.
static bool LookUpVariable(const WString& name, WString& value) {
    SetLastError(ERROR_SUCCESS);
    DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) {
        value.clear();
        return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    }
    // The value may change between the two calls; try again with the size then reported.
    for (;;) {
        value.assign(size, L'\0');
        const DWORD written = GetEnvironmentVariableW(name.c_str(), value.data(), size);
        if (written < size) {
            value.resize(written);
            return true;
        }
        size = written;
    }
}

WString ExpandEnvironment(const WString& text) { return ExpandReferences(text, &LookUpVariable); }


WString GetEnvironment(const WString& name) {
    WString value;
    LookUpVariable(name, value);
    return value;
}

}  // namespace tarn
