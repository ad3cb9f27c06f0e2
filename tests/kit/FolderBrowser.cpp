#include "tests/kit/FolderBrowser.h"

#include <commctrl.h>

#include "base/Handles.h"
#include "base/PathText.h"

namespace tarn::test {

namespace {

// Tree-view items hand their text back through a page in the browser's own process.
class RemoteTree {
public:
    explicit RemoteTree(HWND tree) : tree_(tree) {
        DWORD processId = 0;
        GetWindowThreadProcessId(tree, &processId);
        process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
        page_ = process_ ? static_cast<TVITEMW*>(VirtualAllocEx(process_.get(), nullptr, 4096, MEM_COMMIT, PAGE_READWRITE))
                         : nullptr;
    }
    ~RemoteTree() {
        if (page_ != nullptr) VirtualFreeEx(process_.get(), page_, 0, MEM_RELEASE);
    }
    LPARAM Send(UINT message, WPARAM wParam, const void* lParam) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(tree_, message, wParam, reinterpret_cast<LPARAM>(lParam), SMTO_ABORTIFHUNG, 5000, &result);
        return static_cast<LPARAM>(result);
    }
    WString Text(HTREEITEM item) const {
        TVITEMW query{};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = reinterpret_cast<wchar_t*>(page_ + 1);
        query.cchTextMax = 260;
        wchar_t text[260] = {};
        if (page_ == nullptr || !WriteProcessMemory(process_.get(), page_, &query, sizeof query, nullptr)) return {};
        Send(TVM_GETITEMW, 0, page_);
        ReadProcessMemory(process_.get(), page_ + 1, text, sizeof text - sizeof(wchar_t), nullptr);
        return text;
    }
    // The first child whose text contains part (equals it, with whole set); levels fill in when expanded.
    HTREEITEM Child(HTREEITEM parent, const WString& part, bool whole) const {
        Send(TVM_EXPAND, TVE_EXPAND, parent);
        for (auto child = HTREEITEM(Send(TVM_GETNEXTITEM, TVGN_CHILD, parent)); child != nullptr;
             child = HTREEITEM(Send(TVM_GETNEXTITEM, TVGN_NEXT, child))) {
            const WString text = Text(child);
            if (whole ? _wcsicmp(text.c_str(), part.c_str()) == 0 : text.find(part) != WString::npos) return child;
        }
        return nullptr;
    }

private:
    HWND tree_;
    HandleHolder process_;
    TVITEMW* page_;
};

}  // namespace

bool ChooseFolderInBrowser(HWND browser, const WString& folder) {
    const RemoteTree tree(GetDlgItem(browser, 14145));
    auto item = HTREEITEM(tree.Send(TVM_GETNEXTITEM, TVGN_ROOT, nullptr));
    if (item != nullptr && tree.Text(item).find(L"Computer") == WString::npos) item = tree.Child(item, L"Computer", false);
    const WStringList parts = SplitFolderPath(folder);
    for (size_t i = 0; i < parts.size() && item != nullptr; ++i)
        item = i == 0 ? tree.Child(item, L"(" + parts[0] + L")", false) : tree.Child(item, parts[i], true);
    if (item == nullptr) return false;
    tree.Send(TVM_SELECTITEM, TVGN_CARET, item);
    PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
}

}  // namespace tarn::test
