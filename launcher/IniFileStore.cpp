#include "launcher/IniFileStore.h"

#include <windows.h>

#include "base/Handles.h"

namespace tarn {

// Shared as the profile reader shares it, so that a file it can read is not reported as locked.
uint32_t IniFileStore::ReadFileHead(unsigned char (&head)[4]) {
    HandleHolder file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    DWORD read = 0;
    if (!ReadFile(file.get(), head, sizeof head, &read, nullptr)) return GetLastError();
    return 0;
}

// The profile reader truncates silently, so the buffer doubles until the value fits.
void IniFileStore::GetString(const WString& section, const WString& key, WString& value) {
    for (DWORD size = 256;; size *= 2) {
        value.assign(size, L'\0');
        const DWORD length =
            GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value.data(), size, path_.c_str());
        if (length != size - 1) {
            value.resize(length);
            return;
        }
    }
}

void IniFileStore::GetSectionNames(WStringList& names) {
    names.clear();
    WString buffer;
    DWORD length = 0;
    for (DWORD size = 256;; size *= 2) {
        buffer.assign(size, L'\0');
        length = GetPrivateProfileSectionNamesW(buffer.data(), size, path_.c_str());
        if (length != size - 2) break;
    }
    for (size_t at = 0; at < length && buffer[at] != L'\0';) {
        const WString name(buffer.c_str() + at);
        names.push_back(name);
        at += name.size() + 1;
    }
}

bool IniFileStore::WriteString(const WString& section, const WString& key, const WString& value) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

bool IniFileStore::DeleteStore() { return DeleteFileW(path_.c_str()) != FALSE; }

LayeredSettingsStore::LayeredSettingsStore(WString path, const WString& baseText) : IniFileStore(std::move(path)) {
    ParseSettingsText(baseText, base_);
}

void LayeredSettingsStore::GetString(const WString& section, const WString& key, WString& value) {
    base_.GetString(section, key, value);
    WString fromFile;
    IniFileStore::GetString(section, key, fromFile);
    if (!fromFile.empty()) {
        value = fromFile;
        return;
    }
    WString extension;
    IniFileStore::GetString(section + L"+", key, extension);
    if (extension.empty()) return;
    if (extension.front() != L' ') value += L' ';
    value += extension;
}

}  // namespace tarn
