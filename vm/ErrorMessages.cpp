#include "vm/ErrorMessages.h"

#include <iterator>

#include "base/StringTable.h"

namespace tarn {

int ShowErrorBox(HWND owner, const WString& text) { return MessageBoxW(owner, text.c_str(), nullptr, MB_ICONERROR); }

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
