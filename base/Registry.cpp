#include "base/Registry.h"

#include <vector>

namespace tarn {

REGSAM ViewAccess(RegistryView view) {
    switch (view) {
        case RegistryView::Wide64: return KEY_READ | KEY_WOW64_64KEY;
        case RegistryView::Wide32: return KEY_READ | KEY_WOW64_32KEY;
        default: return KEY_READ;
    }
}

bool RegistryKeyReader::Open(const WString& subkey, RegistryView view) {
    subkey_ = subkey;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, ViewAccess(view), key_.put()) == ERROR_SUCCESS;
}

WStringList RegistryKeyReader::SubkeyNames() const {
    WStringList names;
    if (!key_) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key_.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

bool RegistryKeyReader::ReadText(const WString& name, WString& text) const {
    DWORD size = 0;
    if (!key_ || RegQueryValueExW(key_.get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return false;
    // One spare unit so that data without a terminator still ends.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD read = size;
    if (RegQueryValueExW(key_.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &read) !=
        ERROR_SUCCESS)
        return false;
    text.assign(buffer.data());
    return !text.empty();
}

}  // namespace tarn
