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

}  // namespace tarn
