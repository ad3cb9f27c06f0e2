#include "brand/SourceFiles.h"

#include <windows.h>

#include "base/Handles.h"

namespace tarn::brand {

WString SystemMessage(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    WString message = length > 0 ? WString(text, length) : L"error " + std::to_wstring(code);
    LocalFree(text);
    // Some messages name their file as "%1"; the caller names it itself.
    for (size_t at = message.find(L"%1"); at != WString::npos; at = message.find(L"%1")) message.replace(at, 2, L"it");
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
        message.pop_back();
    return message;
}

bool ReadWholeFile(const WString& path, Bytes& bytes, WString& error) {
    HandleHolder file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024) {
        error = path + L" cannot be read: " + SystemMessage(file ? ERROR_FILE_TOO_LARGE : GetLastError());
        return false;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        error = path + L" cannot be read: " + SystemMessage(GetLastError());
        return false;
    }
    return true;
}

namespace {

WString WithCrLf(const WString& text) {
    WString result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            result += L"\r\n";
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace

std::optional<WString> SettingsText(const Bytes& file) {
    if (file.size() >= 2 && file[0] == 0xFF && file[1] == 0xFE) {
        WString text;
        for (size_t i = 2; i + 1 < file.size(); i += 2) text += static_cast<wchar_t>(WordAt(file, i));
        return WithCrLf(text);
    }
    const size_t skip = file.size() >= 3 && file[0] == 0xEF && file[1] == 0xBB && file[2] == 0xBF ? 3 : 0;
    const auto* utf8 = reinterpret_cast<const char*>(file.data()) + skip;
    const int length = static_cast<int>(file.size() - skip);
    if (length == 0) return WString();
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, length, nullptr, 0);
    if (units <= 0) return std::nullopt;
    WString text(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, length, text.data(), units);
    return WithCrLf(text);
}

Bytes Utf16Bytes(const WString& text) {
    Bytes bytes;
    for (const wchar_t unit : text) PutWord(bytes, static_cast<uint32_t>(unit));
    return bytes;
}

}  // namespace tarn::brand
