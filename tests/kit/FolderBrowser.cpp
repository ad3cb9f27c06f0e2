#include "tests/kit/FolderBrowser.h"

#include <commctrl.h>

#include <functional>

#include "base/Handles.h"
#include "base/PathText.h"

namespace tarn::test {

namespace {

constexpr int kTreeId = 14145;
constexpr size_t kTextUnits = 260;

// A page in the browser's process: tree-view items hand their text back through it.
class RemoteTree {
public:
    explicit RemoteTree(HWND tree) : tree_(tree) {
        DWORD processId = 0;
        GetWindowThreadProcessId(tree, &processId);
        process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
        if (process_) page_ = VirtualAllocEx(process_.get(), nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteTree() {
        if (page_ != nullptr) VirtualFreeEx(process_.get(), page_, 0, MEM_RELEASE);
    }
    RemoteTree(const RemoteTree&) = delete;
    RemoteTree& operator=(const RemoteTree&) = delete;

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(tree_, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
        return static_cast<LRESULT>(result);
    }
    HTREEITEM Next(HTREEITEM item, WPARAM relation) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    WString Text(HTREEITEM item) const {
        auto* remoteText = static_cast<wchar_t*>(page_) + 512;
        TVITEMW query{};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = remoteText;
        query.cchTextMax = kTextUnits;
        wchar_t text[kTextUnits] = {};
        if (page_ == nullptr || !WriteProcessMemory(process_.get(), page_, &query, sizeof query, nullptr)) return {};
        Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(page_));
        ReadProcessMemory(process_.get(), remoteText, text, sizeof text - sizeof(wchar_t), nullptr);
        return text;
    }
    // Children are filled in when a level is expanded.
    HTREEITEM FindChild(HTREEITEM parent, const std::function<bool(const WString&)>& matches) const {
        Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
        for (HTREEITEM child = Next(parent, TVGN_CHILD); child != nullptr; child = Next(child, TVGN_NEXT)) {
            if (matches(Text(child))) return child;
        }
        return nullptr;
    }

private:
    HWND tree_;
    HandleHolder process_;
    void* page_ = nullptr;
};

bool Contains(const WString& text, const WString& part) { return text.find(part) != WString::npos; }

}  // namespace

bool ChooseFolderInBrowser(HWND browser, const WString& folder) {
    const RemoteTree tree(GetDlgItem(browser, kTreeId));
    HTREEITEM item = tree.Next(nullptr, TVGN_ROOT);
    if (item != nullptr && !Contains(tree.Text(item), L"Computer"))
        item = tree.FindChild(item, [](const WString& text) { return Contains(text, L"Computer"); });
    const WStringList parts = SplitFolderPath(folder);
    for (size_t i = 0; i < parts.size() && item != nullptr; ++i) {
        const WString drive = L"(" + parts[0] + L")";
        item = tree.FindChild(item, [&](const WString& text) {
            return i == 0 ? Contains(text, drive) : _wcsicmp(text.c_str(), parts[i].c_str()) == 0;
        });
    }
    if (item == nullptr) return false;
    tree.Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
}

}  // namespace tarn::test
