#include "tests/kit/FolderBrowser.h"

#include <shlobj.h>

#include "base/Handles.h"
#include "base/PathText.h"
#include "tests/kit/Dialogs.h"

namespace tarn::test {

// The path travels in a page of the browser's own process; the browser expands its tree down to the
// folder and selects it, as a user's clicks would. A browser still filling its tree selects nothing
// (its hidden edit 14149 shows the selected name): then it is asked again.
void ChooseFolderInBrowser(HWND browser, const WString& folder) {
    DWORD processId = 0;
    GetWindowThreadProcessId(browser, &processId);
    const HandleHolder process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId));
    void* page = process ? VirtualAllocEx(process.get(), nullptr, 65536, MEM_COMMIT, PAGE_READWRITE) : nullptr;
    if (page == nullptr) return;
    WriteProcessMemory(process.get(), page, folder.c_str(), (folder.size() + 1) * sizeof(wchar_t), nullptr);
    AwaitCondition([&] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(page), SMTO_NORMAL, 30000, &ignored);
        return ControlText(browser, 14149) == FileNameOf(folder);
    });
    VirtualFreeEx(process.get(), page, 0, MEM_RELEASE);
    PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace tarn::test
