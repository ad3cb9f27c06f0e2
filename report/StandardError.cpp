#include "report/StandardError.h"

#include <windows.h>

#include "base/Conversion.h"
#include "base/Text.h"

namespace tarn {

void WriteStandardText(StandardHandle which, const WString& text) {
    const WString lines = WindowsLines(text) + L"\r\n";
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
