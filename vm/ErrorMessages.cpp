#include "vm/ErrorMessages.h"

#include "base/StringTable.h"

namespace tarn {

int ShowErrorBox(HWND owner, const WString& text) { return MessageBoxW(owner, text.c_str(), nullptr, MB_ICONERROR); }

int ShowErrorBox(HWND owner, unsigned textId) { return ShowErrorBox(owner, LoadText(textId)); }

void ShowFormattedError(HWND owner, unsigned formatId, std::initializer_list<FormatArg> args) {
    ShowErrorBox(owner, Format(LoadText(formatId), args));
}

void ShowWindowsError(HWND owner, unsigned descriptionId) {
    const DWORD lastError = GetLastError();
    const WString format = LoadText(202);
    const WString description = LoadText(descriptionId);
    ShowErrorBox(owner, Format(format, {description, static_cast<long long>(static_cast<LONG>(lastError))}));
}

void ShowWindowsErrorWithDetail(HWND owner, unsigned formatId, const WString& detail) {
    // Loading the text must not replace the error being reported.
    const DWORD lastError = GetLastError();
    const WString format = LoadText(formatId);
    ShowErrorBox(owner, Format(format, {detail, static_cast<long long>(static_cast<LONG>(lastError))}));
}

unsigned JniReasonTextId(long jniResult) { return jniResult <= -1 && jniResult >= -6 ? 224 - jniResult : 0; }

void ShowCreateVmError(HWND owner, long jniResult) {
    const unsigned reasonId = JniReasonTextId(jniResult);
    ShowFormattedError(owner, 203, {LoadText(213), reasonId == 0 ? WString() : LoadText(reasonId)});
}

}  // namespace tarn
