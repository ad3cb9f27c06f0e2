#include "vm/ErrorMessages.h"

#include <iterator>

#include "base/Conversion.h"
#include "base/StringTable.h"
#include "launcher/Launcher.h"

namespace tarn {

namespace {

// A console gets UTF-16 as it stands; a file or pipe gets UTF-8, which keeps every character.
// Lines end in CR LF, as the runtime writes them; a text always ends with one line end.
void WriteStandardError(const WString& text) {
    WString lines;
    for (const wchar_t c : text) lines += c == L'\n' ? WString(L"\r\n") : WString(1, c);
    while (lines.size() >= 2 && lines.compare(lines.size() - 2, 2, L"\r\n") == 0) lines.resize(lines.size() - 2);
    lines += L"\r\n";
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

}  // namespace

bool ShowsWindows() {
    const Launcher* launcher = Launcher::Current();
    return launcher == nullptr || launcher->userInterface == UserInterface::Windows;
}

int ShowErrorBox(HWND owner, const WString& text) {
    if (ShowsWindows()) return MessageBoxW(owner, text.c_str(), nullptr, MB_ICONERROR);
    WriteStandardError(text);
    return IDOK;
}

int ShowErrorBox(HWND owner, unsigned textId) { return ShowErrorBox(owner, LoadText(textId)); }

void ShowFormattedError(HWND owner, unsigned formatId, std::initializer_list<FormatArg> args) {
    ShowErrorBox(owner, Format(LoadText(formatId), args));
}

// A format taking a detail and a Win32 error code, printed as a signed number.
static void ShowErrorWithCode(HWND owner, unsigned formatId, const WString& detail, DWORD lastError) {
    ShowFormattedError(owner, formatId, {detail, static_cast<long long>(static_cast<LONG>(lastError))});
}

// The error code is read first: loading the texts must not replace the error being reported.
void ShowWindowsError(HWND owner, unsigned descriptionId) {
    const DWORD lastError = GetLastError();
    ShowErrorWithCode(owner, 202, LoadText(descriptionId), lastError);
}

void ShowWindowsErrorWithDetail(HWND owner, unsigned formatId, const WString& detail) {
    const DWORD lastError = GetLastError();
    ShowErrorWithCode(owner, formatId, detail, lastError);
}

WString SystemErrorText(DWORD error) {
    wchar_t buffer[512];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    WString text(buffer, length);
    text.erase(text.find_last_not_of(L". \r\n") + 1);  // npos + 1 empties a text of only those
    return text.empty() ? LoadText(225) : text;
}

void ShowSystemError(HWND owner, unsigned formatId, const WString& detail, DWORD error) {
    ShowFormattedError(owner, formatId, {detail, SystemErrorText(error), static_cast<long long>(static_cast<LONG>(error))});
}

unsigned JniReasonTextId(long jniResult) { return jniResult <= -1 && jniResult >= -6 ? 224 - jniResult : 0; }

void ShowCreateVmError(HWND owner, long jniResult) {
    const unsigned reasonId = JniReasonTextId(jniResult);
    ShowFormattedError(owner, 203, {LoadText(213), reasonId == 0 ? WString() : LoadText(reasonId)});
}

}  // namespace tarn
