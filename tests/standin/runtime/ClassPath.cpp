#include "tests/standin/runtime/ClassPath.h"

#include <windows.h>

#include <cstring>

#include "tests/standin/common/Utf.h"

namespace tarn::standin {
namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring WithBackslash(const std::wstring& folder) {
    return folder.back() == L'\\' || folder.back() == L'/' ? folder : folder + L"\\";
}

std::vector<std::wstring> SplitPath(const std::u16string& list) {
    std::vector<std::wstring> entries;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(u';', start);
        if (end == std::u16string::npos) end = list.size();
        if (end > start) entries.push_back(ToWide(list.substr(start, end - start)));
        start = end + 1;
    }
    return entries;
}

uint32_t Little(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::optional<ModuleFolder> ReadModule(const std::wstring& folder) {
    const std::optional<std::string> info = ReadWholeFile(WithBackslash(folder) + L"module-info.class");
    if (!info) return std::nullopt;
    ModuleFolder module{.folder = folder};
    size_t start = 0;
    while (start < info->size()) {
        size_t end = info->find('\n', start);
        if (end == std::string::npos) end = info->size();
        std::string line = info->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("module ", 0) == 0) module.name = line.substr(7);
        if (line.rfind("main ", 0) == 0) module.mainClass = line.substr(5);
        start = end + 1;
    }
    return module;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

// Walks the local headers of the zip, from the first (a jar may follow an executable): signature,
// then name and data lengths at fixed places.
std::optional<std::string> ReadStoredEntry(const std::wstring& zip, const std::string& name) {
    const std::optional<std::string> bytes = IsFolder(zip) ? std::nullopt : ReadWholeFile(zip);
    for (size_t at = bytes ? bytes->find("PK\x03\x04") : 0; bytes && at + 30 <= bytes->size() && Little(*bytes, at, 4) == 0x04034b50;) {
        const uint32_t method = Little(*bytes, at + 8, 2), size = Little(*bytes, at + 18, 4);
        const uint32_t nameLength = Little(*bytes, at + 26, 2), extraLength = Little(*bytes, at + 28, 2);
        const size_t data = at + 30 + nameLength + extraLength;
        if (data + size > bytes->size()) break;
        if (method == 0 && bytes->compare(at + 30, nameLength, name) == 0 && nameLength == name.size()) {
            return bytes->substr(data, size);
        }
        at = data + size;
    }
    return std::nullopt;
}

void ClassPath::Set(const std::u16string& classPath) { entries_ = SplitPath(classPath); }

void ClassPath::Add(const std::wstring& entry) { entries_.push_back(entry); }

std::optional<std::string> ClassPath::Read(const std::string& entryName) {
    std::wstring relative = ToWide(FromUtf8(entryName));
    for (wchar_t& c : relative) {
        if (c == L'/') c = L'\\';
    }
    for (const std::wstring& entry : entries_) {
        std::optional<std::string> bytes =
            IsFolder(entry) ? ReadWholeFile(WithBackslash(entry) + relative) : ReadStoredEntry(entry, entryName);
        if (bytes) return bytes;
    }
    return std::nullopt;
}

std::optional<ModuleFolder> FindModule(const std::u16string& modulePath, const std::string& name) {
    for (const std::wstring& entry : SplitPath(modulePath)) {
        std::vector<std::wstring> folders{entry};
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((WithBackslash(entry) + L"*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != L'.')
                folders.push_back(WithBackslash(entry) + found.cFileName);
        }
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        for (const std::wstring& folder : folders) {
            std::optional<ModuleFolder> module = ReadModule(folder);
            if (module && module->name == name) return module;
        }
    }
    return std::nullopt;
}

}  // namespace tarn::standin
