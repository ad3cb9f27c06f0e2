#include "tests/standin/common/TraceLog.h"

#include <windows.h>

namespace tarn::standin {
namespace {

void AppendEscaped(std::string& line, std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F)
            line += c;
        else if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (c == '\t')
            line += "\\t";
        else
            line += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
    }
}

// Serialises the lines of this process; appends from other processes are atomic by themselves.
CRITICAL_SECTION& TraceLock() {
    static CRITICAL_SECTION* lock = [] {
        auto* section = new CRITICAL_SECTION;
        InitializeCriticalSection(section);
        return section;
    }();
    return *lock;
}

}  // namespace

void TraceLine(std::string_view name, std::string_view detail) { TraceLine(name, {detail}); }

void TraceLine(std::string_view name, std::initializer_list<std::string_view> fields) {
    const DWORD lastError = GetLastError();
    wchar_t path[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableW(L"TARN_STANDIN_TRACE", path, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2) {
        SetLastError(lastError);
        return;
    }
    std::string line = std::to_string(GetCurrentThreadId()) + "\t";
    AppendEscaped(line, name);
    for (std::string_view field : fields) {
        line += '\t';
        AppendEscaped(line, field);
    }
    line += '\n';
    EnterCriticalSection(&TraceLock());
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
    }
    LeaveCriticalSection(&TraceLock());
    // The launcher reads last-error values after our calls; tracing must not disturb them.
    SetLastError(lastError);
}

void TraceWarning(std::string_view text) { TraceLine("WARNING", text); }

}  // namespace tarn::standin
