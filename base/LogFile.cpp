#include "base/LogFile.h"

#include <windows.h>

#include "base/Conversion.h"
#include "base/Handles.h"

namespace tarn {
namespace {

// The log file, read from the environment once; empty when there is none.
const WString& LogPath() {
    static const WString path = [] {
        wchar_t buffer[MAX_PATH * 4];
        const DWORD length = GetEnvironmentVariableW(L"TARN_LAUNCHER_LOG", buffer, MAX_PATH * 4);
        return length > 0 && length < MAX_PATH * 4 ? WString(buffer, length) : WString();
    }();
    return path;
}

}  // namespace

bool LogEnabled() { return !LogPath().empty(); }

void AppendLogLines(const WStringList& lines) {
    if (!LogEnabled()) return;
    HandleHolder file(CreateFileW(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    std::string text;
    for (const WString& line : lines) text += ToUtf8(line) + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace tarn
