// The "JRE Not Found" dialog: states the runtime needed, links to a download page and lets the
// user browse for a runtime folder whose JVM library fits the "JVM Type" policy.
#pragma once
#include <windows.h>

#include "base/Text.h"
#include "jre/HyperLink.h"
#include "jre/JavaVersion.h"

namespace tarn {

// Control ids of dialog 201.
enum JreNotFoundControl : int { kPathEdit = 201, kBrowseButton = 202, kMessageText = 203, kDownloadLink = 205 };

// The requirement text: string 206 for a server-only policy, else 207, with the range in words.
WString JreNotFoundMessage(int32_t jvmType, const JavaVersion& minimum, const JavaVersion& maximum);

class JreNotFoundDialog {
public:
    JreNotFoundDialog(WString message, int32_t jvmType) : message_(std::move(message)), jvmType_(jvmType) {}
    JreNotFoundDialog(const JreNotFoundDialog&) = delete;
    JreNotFoundDialog& operator=(const JreNotFoundDialog&) = delete;

    // Modal: IDOK (1) or IDCANCEL (2); -1 when the dialog could not be created.
    INT_PTR Show(HWND owner);
    // The folder chosen last, with a trailing backslash, and the JVM library found in it.
    const WString& ChosenHome() const { return chosenHome_; }
    const WString& ChosenJvmPath() const { return chosenJvmPath_; }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void Open(HWND dialog);
    void Browse();
    void Choose(const WString& folder);

    WString message_;
    int32_t jvmType_;
    WString chosenHome_;
    WString chosenJvmPath_;
    HyperLink link_;
    HWND dialog_ = nullptr;
};

}  // namespace tarn
