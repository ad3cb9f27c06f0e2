#include "vm/ExceptionDialog.h"

#include <windows.h>

#include "base/Text.h"
#include "jre/DialogLayout.h"
#include "vm/StackTrace.h"

namespace tarn {
namespace {

constexpr int kExceptionDialogId = 231;
constexpr int kTraceFieldId = 208;

// How the controls follow the edges when the user resizes the report.
constexpr LayoutRule kExceptionLayout[] = {
    {209, kLayoutSizeX | kLayoutSizeY},  // group box
    {210, kLayoutSizeX},                 // the text above the trace
    {212, kLayoutSizeX | kLayoutMoveY},  // the warning
    {211, kLayoutSizeX | kLayoutMoveY},  // what the buttons do
    {kTraceFieldId, kLayoutSizeX | kLayoutSizeY},
    {IDOK, kLayoutMoveX | kLayoutMoveY},      // Ignore
    {IDCANCEL, kLayoutMoveX | kLayoutMoveY},  // Stop
};

class ExceptionDialog {
public:
    explicit ExceptionDialog(WString trace) : trace_(std::move(trace)) {}

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Initialise(HWND dialog);

    WString trace_;
    DialogLayout layout_;
};

void ExceptionDialog::Initialise(HWND dialog) {
    HWND field = GetDlgItem(dialog, kTraceFieldId);
    SetWindowTextW(field, trace_.c_str());
    // Read-only rather than disabled: the trace can still be selected and copied.
    SendMessageW(field, EM_SETREADONLY, TRUE, 0);
    CenterDialog(dialog);
    layout_.InitLayout(dialog, kExceptionLayout);
}

// The object travels in WM_INITDIALOG's parameter and lives in the window's user data afterwards.
INT_PTR CALLBACK ExceptionDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetLastError(0);
        if (SetWindowLongPtrW(dialog, DWLP_USER, lParam) == 0 && GetLastError() != 0) {
            SetLastError(ERROR_OUTOFMEMORY);
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        reinterpret_cast<ExceptionDialog*>(lParam)->Initialise(dialog);
        return TRUE;  // the default focus: Ignore, the default button
    }
    auto* self = reinterpret_cast<ExceptionDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr) return FALSE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        // Escape and the close box arrive as IDCANCEL, which is Stop.
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return self->layout_.HandleSizeMessage(message, wParam, lParam) ? TRUE : FALSE;
}

}  // namespace

bool ShowExceptionDialog(jthrowable exception, JNIEnv* env) {
    WString trace = StackTraceText(exception, env);
    if (trace.empty()) return false;
    ExceptionDialog report(std::move(trace));
    const INT_PTR choice =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kExceptionDialogId), GetActiveWindow(),
                        &ExceptionDialog::Procedure, reinterpret_cast<LPARAM>(&report));
    return choice != IDOK;
}

}  // namespace tarn
