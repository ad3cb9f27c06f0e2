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

// The trace file, opened for appending at the first line: the variable is read once per process
// (and per copy of the library). One WriteFile per line on an append handle keeps lines whole,
// also between processes, and puts each on disk at once, whatever ends the process.
HANDLE TraceFile() {
    static const HANDLE file = [] {
        wchar_t path[MAX_PATH * 2];
        const DWORD length = GetEnvironmentVariableW(L"TARN_STANDIN_TRACE", path, MAX_PATH * 2);
        if (length == 0 || length >= MAX_PATH * 2) return INVALID_HANDLE_VALUE;
        return CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }();
    return file;
}

}  // namespace

void TraceLine(std::string_view name, std::string_view detail) { TraceLine(name, {detail}); }

void TraceLine(std::string_view name, std::initializer_list<std::string_view> fields) {
    const DWORD lastError = GetLastError();
    const HANDLE file = TraceFile();
    if (file != INVALID_HANDLE_VALUE) {
        std::string line = std::to_string(GetCurrentThreadId()) + "\t";
        AppendEscaped(line, name);
        for (std::string_view field : fields) {
            line += '\t';
            AppendEscaped(line, field);
        }
        line += '\n';
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    // The launcher reads last-error values after our calls; tracing must not disturb them.
    SetLastError(lastError);
}

void TraceWarning(std::string_view text) { TraceLine("WARNING", text); }

}  // namespace tarn::standin
