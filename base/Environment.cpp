#include "base/Environment.h"

#include <windows.h>

namespace tarn {

static bool TryExpand(const WString& text, WString& result) {
    const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return false;
    WString buffer(size, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), size);
    if (written == 0 || written > size) return false;
    result.assign(buffer.c_str());
    return true;
}

WString ExpandEnvironment(const WString& text) {
    WString result;
    TryExpand(text, result);
    return result;
}

void ExpandEnvironmentInPlace(WString& text) {
    WString result;
    if (TryExpand(text, result)) text = result;
}

WString GetEnvironment(const WString& name) {
    const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) return {};
    WString value(size, L'\0');
    const DWORD written = GetEnvironmentVariableW(name.c_str(), value.data(), size);
    value.resize(written < size ? written : 0);
    return value;
}

}  // namespace tarn
