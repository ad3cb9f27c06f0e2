#include "tests/kit/TextFiles.h"

#include <windows.h>

#include "base/Files.h"
#include "base/Handles.h"

namespace tarn::test {

void WriteBytes(const WString& path, const std::string& bytes) {
    CreateFolderTree(path);
    HandleHolder file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void WriteUtf16File(const WString& path, const WString& text) {
    const WString withMark = L"\xFEFF" + text;
    WriteBytes(path, std::string(reinterpret_cast<const char*>(withMark.data()), withMark.size() * sizeof(wchar_t)));
}

std::string ReadBytes(const WString& path) {
    HandleHolder file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

std::string ToUtf8(const WString& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

WString FromUtf8(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    WString result(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

WString ReadUtf8File(const WString& path) { return FromUtf8(ReadBytes(path)); }

bool FileExists(const WString& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void CopyTo(const WString& from, const WString& to) {
    CreateFolderTree(to);
    CopyFileW(from.c_str(), to.c_str(), FALSE);
}

}  // namespace tarn::test
