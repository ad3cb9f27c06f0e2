#include "jre/JreNotFoundDialog.h"

#include <shlobj.h>

#include <memory>

#include "base/Format.h"
#include "base/PathText.h"
#include "base/StringTable.h"
#include "base/SystemFunction.h"
#include "jre/DialogLayout.h"
#include "jre/JvmLibrary.h"

namespace tarn {

namespace {

constexpr unsigned kBrowseTitleText = 214;

// The folder browser's new-style dialog needs OLE on the calling thread, for as long as it shows.
class OleSession {
public:
    OleSession() {
        const auto initialize = SystemFunction<decltype(&OleInitialize)>(L"ole32.dll", "OleInitialize");
        if (initialize != nullptr && SUCCEEDED(initialize(nullptr)))
            uninitialize_ = SystemFunction<decltype(&OleUninitialize)>(L"ole32.dll", "OleUninitialize");
    }
    ~OleSession() {
        if (uninitialize_ != nullptr) uninitialize_();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    decltype(&OleUninitialize) uninitialize_ = nullptr;
};

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const {
        const auto free = SystemFunction<decltype(&CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
        if (free != nullptr) free(list);
    }
};
using ItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

}  // namespace

WString JreNotFoundMessage(int32_t jvmType, const JavaVersion& minimum, const JavaVersion& maximum) {
    return Format(LoadText(jvmType == kServerOnly ? 206 : 207), {DescribeVersionRange(minimum, maximum)});
}

INT_PTR JreNotFoundDialog::Show(HWND owner) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(201), owner, &JreNotFoundDialog::Procedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK JreNotFoundDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<JreNotFoundDialog*>(lParam)->Open(dialog);
        return FALSE;  // the focus stays unset
    }
    auto* self = reinterpret_cast<JreNotFoundDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr || message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
        case kBrowseButton: self->Browse(); return TRUE;
        case IDOK:
            // Only a folder with a JVM library may end the dialog, by whatever road the command came.
            if (IsWindowEnabled(GetDlgItem(dialog, IDOK))) EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
    }
}

void JreNotFoundDialog::Open(HWND dialog) {
    dialog_ = dialog;
    HWND linkWindow = GetDlgItem(dialog, kDownloadLink);
    if (!link_.HasNormalFont()) link_.SetNormalFont(reinterpret_cast<HFONT>(SendMessageW(linkWindow, WM_GETFONT, 0, 0)));
    link_.Attach(linkWindow);
    SetDlgItemTextW(dialog, kMessageText, message_.c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    CenterDialog(dialog);
}

void JreNotFoundDialog::Browse() {
    OleSession ole;
    const WString title = LoadText(kBrowseTitleText);
    BROWSEINFOW info{};
    info.hwndOwner = dialog_;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    const auto browse = SystemFunction<decltype(&SHBrowseForFolderW)>(L"shell32.dll", "SHBrowseForFolderW");
    const auto pathOf = SystemFunction<decltype(&SHGetPathFromIDListW)>(L"shell32.dll", "SHGetPathFromIDListW");
    if (browse == nullptr || pathOf == nullptr) return;
    const ItemList chosen(browse(&info));
    if (!chosen) return;
    wchar_t folder[MAX_PATH] = {};
    pathOf(chosen.get(), folder);
    SetDlgItemTextW(dialog_, kPathEdit, folder);
    Choose(folder);
}

// The folder itself must be a runtime home: its jre\ subfolder is not looked at.
void JreNotFoundDialog::Choose(const WString& folder) {
    chosenHome_ = folder.empty() ? WString() : WithTrailingBackslash(folder);
    chosenJvmPath_ = chosenHome_.empty() ? WString() : SelectJvmLibrary(chosenHome_, jvmType_).path;
    EnableWindow(GetDlgItem(dialog_, IDOK), !chosenJvmPath_.empty());
}

}  // namespace tarn
