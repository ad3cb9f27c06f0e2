#include "tests/kit/TextFiles.h"

#include <windows.h>

#include "base/Files.h"
#include "base/Handles.h"
#include "tests/standin/common/Utf.h"

namespace tarn::test {

void WriteBytes(const WString& path, const std::string& bytes) {
    CreateFolderTree(path);
    HandleHolder file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string Utf16Bytes(const WString& text) {
    const WString withMark = L"\xFEFF" + text;
    return std::string(reinterpret_cast<const char*>(withMark.data()), withMark.size() * sizeof(wchar_t));
}

void WriteUtf16File(const WString& path, const WString& text) { WriteBytes(path, Utf16Bytes(text)); }

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

std::string ToUtf8(const WString& text) { return standin::ToUtf8(standin::FromWide(text)); }
WString FromUtf8(const std::string& text) { return standin::ToWide(standin::FromUtf8(text)); }

bool FileExists(const WString& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void CopyTo(const WString& from, const WString& to) {
    CreateFolderTree(to);
    CopyFileW(from.c_str(), to.c_str(), FALSE);
}

}  // namespace tarn::test
