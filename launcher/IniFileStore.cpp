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

// One profile call per section rather than per key: under Wine each call opens and checks the file.
const MemorySettingsStore::Section& IniFileStore::SectionOf(const WString& name) {
    for (const auto& section : sections_) {
        if (section.name == name) return section;
    }
    // The section reader truncates silently, so the buffer doubles until the list fits.
    WString block;
    DWORD length = 0;
    for (DWORD size = 1024;; size *= 2) {
        block.assign(size, L'\0');
        length = GetPrivateProfileSectionW(name.c_str(), block.data(), size, path_.c_str());
        if (length != size - 2) break;
    }
    block.resize(length);
    sections_.push_back({name, ParseSectionPairs(block)});
    return sections_.back();
}

void IniFileStore::GetString(const WString& section, const WString& key, WString& value) {
    value.clear();
    for (const auto& [name, text] : SectionOf(section).pairs) {
        if (EqualsNoCase(name, key)) {
            value = text;
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
    sections_.clear();
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

bool IniFileStore::DeleteStore() {
    sections_.clear();
    return DeleteFileW(path_.c_str()) != FALSE;
}

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
