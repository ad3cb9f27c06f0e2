#include "tests/kit/Dialogs.h"

namespace tarn::test {

std::vector<HWND> FindDialogs(DWORD processId, const wchar_t* windowClass) {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) found.push_back(window);
    }
    return found;
}

WString WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    WString text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    text.resize(copied);
    return text;
}

WString ControlText(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    return control != nullptr ? WindowText(control) : WString{};
}

void PressButton(HWND dialog, int buttonId) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0); }

bool AwaitCondition(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(50);
    }
    return true;
}

HWND AwaitDialog(DWORD processId, const WString& title, DWORD timeoutMs) {
    HWND found = nullptr;
    AwaitCondition([&] {
        for (HWND dialog : FindDialogs(processId)) {
            if (WindowText(dialog) == title) found = dialog;
        }
        return found != nullptr;
    }, timeoutMs);
    return found;
}

}  // namespace tarn::test
