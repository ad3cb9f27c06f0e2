#include "report/StandardError.h"

#include <windows.h>

#include "base/Conversion.h"
#include "base/Text.h"

namespace tarn {

void WriteStandardError(const WString& text) {
    const WString lines = WindowsLines(text) + L"\r\n";
    HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
    if (standardError == nullptr || standardError == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(standardError, &mode)) {
        WriteConsoleW(standardError, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
        return;
    }
    const NarrowString bytes = ToUtf8(lines);
    WriteFile(standardError, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace tarn
