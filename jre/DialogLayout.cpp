#include "jre/DialogLayout.h"

namespace tarn {
namespace {

LayoutRect ToLayoutRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

LayoutRect ScreenRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return ToLayoutRect(rect);
}

// A child's rectangle in its parent's client coordinates.
LayoutRect ClientRectOf(HWND child, HWND parent) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return ToLayoutRect(rect);
}

OwnerWindow DescribeOwner(HWND owner) {
    OwnerWindow description;
    if (owner == nullptr) return description;
    const LONG style = GetWindowLongW(owner, GWL_STYLE);
    description.present = true;
    description.visible = (style & WS_VISIBLE) != 0;
    description.minimised = (style & WS_MINIMIZE) != 0;
    description.rect = ScreenRectOf(owner);
    return description;
}

// Switches a visible window's redrawing off for a batch of moves, then repaints it as a whole.
class RedrawPause {
public:
    explicit RedrawPause(HWND window) : window_(IsWindowVisible(window) ? window : nullptr) {
        if (window_ != nullptr) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawPause() {
        if (window_ == nullptr) return;
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    HWND window_;
};

// Children are not painted over while they move; the modal frame and an explicit null small icon keep
// the caption free of the default icon.
void PrepareResizableStyle(HWND dialog) {
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    if ((style & WS_CLIPCHILDREN) == 0) SetWindowLongW(dialog, GWL_STYLE, style | WS_CLIPCHILDREN);
    SetWindowLongW(dialog, GWL_EXSTYLE, GetWindowLongW(dialog, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME);
    if (SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) == 0) SendMessageW(dialog, WM_SETICON, ICON_SMALL, 0);
}

}  // namespace

void CenterDialog(HWND dialog) {
    HWND ownerWindow = GetWindow(dialog, GW_OWNER);
    const OwnerWindow owner = DescribeOwner(ownerWindow);
    HMONITOR monitor =
        MonitorFromWindow(IsCentringReference(owner) ? ownerWindow : dialog, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return;
    const LayoutPoint position = CenteredPosition(ScreenRectOf(dialog), owner, ToLayoutRect(info.rcWork));
    SetWindowPos(dialog, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogLayout::AddEntry(int controlId, uint32_t flags) {
    HWND control = GetDlgItem(dialog_, controlId);
    if (control != nullptr) entries_.push_back({controlId, flags, ClientRectOf(control, dialog_)});
}

void DialogLayout::InitLayout(HWND dialog, std::span<const LayoutRule> table) {
    dialog_ = dialog;
    PrepareResizableStyle(dialog);
    entries_.clear();
    minTrackSize_ = {-1, -1};
    RECT client{};
    GetClientRect(dialog, &client);
    initialWidth_ = client.right;
    initialHeight_ = client.bottom;
    // Covering the client area, the bottom-right alignment shrinks the grip to the corner.
    sizeGrip_ = CreateWindowExW(
        0, L"SCROLLBAR", nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEBOX | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, 0, 0,
        client.right, client.bottom, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSizeGripId)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    if (sizeGrip_ != nullptr) AddEntry(kSizeGripId, kLayoutMoveX | kLayoutMoveY | kLayoutRepaint | kLayoutSizeGrip);
    const LayoutRect window = ScreenRectOf(dialog);
    minTrackSize_ = {window.Width(), window.Height()};
    for (const LayoutRule& rule : table) AddEntry(rule.controlId, rule.flags);
}

void DialogLayout::UpdateLayout(int width, int height) {
    if (dialog_ == nullptr) return;
    RedrawPause pause(dialog_);
    const int32_t dW = width - initialWidth_;
    const int32_t dH = height - initialHeight_;
    for (const Entry& entry : entries_) {
        HWND control = GetDlgItem(dialog_, entry.controlId);
        if (control == nullptr) continue;
        const LayoutRect placed = PlaceControl(entry.flags, entry.initial, ClientRectOf(control, dialog_), dW, dH);
        if ((entry.flags & kLayoutRepaint) != 0) InvalidateRect(control, nullptr, TRUE);
        if (LayoutMovesControl(entry.flags)) {
            SetWindowPos(control, nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

bool DialogLayout::HandleSizeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (minTrackSize_.x != -1 || minTrackSize_.y != -1) info->ptMinTrackSize = minTrackSize_;
        return true;
    }
    if (message != WM_SIZE) return false;
    if (sizeGrip_ != nullptr && wParam == SIZE_MAXIMIZED) ShowWindow(sizeGrip_, SW_HIDE);
    if (sizeGrip_ != nullptr && wParam == SIZE_RESTORED) ShowWindow(sizeGrip_, SW_SHOW);
    if (wParam != SIZE_MINIMIZED) UpdateLayout(LOWORD(lParam), HIWORD(lParam));
    return true;
}

}  // namespace tarn
