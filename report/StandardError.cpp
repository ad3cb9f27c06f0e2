#include "report/StandardError.h"

#include <windows.h>

#include "base/Conversion.h"

namespace tarn {

void WriteStandardText(StandardHandle which, const WString& text) {
    WString lines;
    for (const wchar_t c : text) lines += c == L'\n' ? WString(L"\r\n") : WString(1, c);
    while (lines.size() >= 2 && lines.compare(lines.size() - 2, 2, L"\r\n") == 0) lines.resize(lines.size() - 2);
    lines += L"\r\n";
    HANDLE handle = GetStdHandle(which == StandardHandle::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
        return;
    }
    const NarrowString bytes = ToUtf8(lines);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace tarn
