#include "tests/standin/runtime/ClassPath.h"

#include <windows.h>

#include "tests/standin/common/Utf.h"

namespace tarn::standin {
namespace {

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

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

void ClassPath::Set(const std::u16string& classPath) {
    entries_.clear();
    size_t start = 0;
    while (start <= classPath.size()) {
        size_t end = classPath.find(u';', start);
        if (end == std::u16string::npos) end = classPath.size();
        if (end > start) entries_.push_back(ToWide(classPath.substr(start, end - start)));
        start = end + 1;
    }
}

std::optional<std::string> ClassPath::Read(const std::string& entryName) {
    std::wstring relative = ToWide(FromUtf8(entryName));
    for (wchar_t& c : relative) {
        if (c == L'/') c = L'\\';
    }
    for (const std::wstring& entry : entries_) {
        if (IsFolder(entry)) {
            const std::wstring folder = entry.back() == L'\\' || entry.back() == L'/' ? entry : entry + L"\\";
            if (std::optional<std::string> bytes = ReadWholeFile(folder + relative)) return bytes;
        }
    }
    return std::nullopt;
}

}  // namespace tarn::standin
