#include "jre/HyperLink.h"

#include <commctrl.h>
#include <shellapi.h>
#include <versionhelpers.h>
#include <windowsx.h>

#include "base/GdiGuards.h"
#include "base/SystemFunction.h"
#include "jre/LinkColor.h"

namespace tarn {

namespace {

const wchar_t kLinkProperty[] = L"TarnHyperLink";
const wchar_t kColorKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// A value counts only when it is a terminated "R,G,B" text that fits the buffer.
void ReadColorValue(HKEY key, const wchar_t* name, COLORREF& color) {
    char16_t buffer[kColorValueUnits] = {};
    DWORD type = 0;
    DWORD size = sizeof buffer;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) return;
    if (const auto parsed = ColorFromRegistryValue(type, buffer, size)) color = *parsed;
}

}  // namespace

HyperLink::~HyperLink() {
    if (window_ != nullptr && IsWindow(window_)) Detach();
}

void HyperLink::Attach(HWND window) {
    window_ = window;
    SetPropW(window_, kLinkProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HyperLink::Procedure)));
    Initialise();
}

void HyperLink::Detach() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(window_, kLinkProperty);
    window_ = nullptr;
}

void HyperLink::Initialise() {
    // Statics ignore the mouse unless they notify.
    wchar_t className[8] = {};
    GetClassNameW(window_, className, 8);
    if (_wcsicmp(className, L"static") == 0) {
        const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
        if ((style & SS_NOTIFY) == 0) SetWindowLongPtrW(window_, GWL_STYLE, style | SS_NOTIFY);
    }
    cursor_ = LoadCursorW(nullptr, IDC_HAND);
    if (normalFont_ == nullptr) {
        LOGFONTW font{};
        SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
        normalFont_ = CreateFontIndirectW(&font);
        ownedNormalFont_.reset(normalFont_);
    }
    if (linkFont_ == nullptr) CreateLinkFont();
    CreateToolTip();
    const int length = GetWindowTextLengthW(window_);
    if (!label_ && length > 0) {
        WString text(length + 1, L'\0');
        text.resize(GetWindowTextW(window_, text.data(), length + 1));
        label_ = text;
    }
    CalcLinkRect();
    if (!target_ && label_) SetTarget(*label_);
    ReadColors();
}

void HyperLink::CreateToolTip() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    const auto initialize =
        SystemFunction<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
    if (initialize != nullptr) initialize(&classes);
    toolTip_.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, window_, nullptr, GetModuleHandleW(nullptr), nullptr));
}

void HyperLink::CreateLinkFont() {
    LOGFONTW font{};
    GetObjectW(normalFont_ != nullptr ? normalFont_ : GetStockObject(SYSTEM_FONT), sizeof font, &font);
    font.lfUnderline = TRUE;
    linkFont_ = CreateFontIndirectW(&font);
    ownedLinkFont_.reset(linkFont_);
}

const WString* HyperLink::Text() const {
    if (label_) return &*label_;
    return target_ ? &*target_ : nullptr;
}

// The text starts at the top left corner; only the area it covers is a link.
void HyperLink::CalcLinkRect() {
    const WString* text = Text();
    if (window_ == nullptr || text == nullptr) return;
    GetClientRect(window_, &linkRect_);
    WindowDc dc(window_);
    Selection font(dc.get(), linkFont_);
    DrawTextW(dc.get(), text->c_str(), -1, &linkRect_, DT_LEFT | DT_WORDBREAK | DT_CALCRECT);
}

bool HyperLink::SetTarget(const WString& target) {
    target_ = target;
    if (!label_) CalcLinkRect();
    if (toolTip_) {
        SendMessageW(toolTip_.get(), TTM_ACTIVATE, TRUE, 0);
        TOOLINFOW tool{};
        tool.cbSize = IsWindowsVistaOrGreater() ? sizeof tool : TTTOOLINFOW_V2_SIZE;
        tool.hwnd = window_;
        tool.uId = 1;
        tool.rect = linkRect_;
        tool.hinst = GetModuleHandleW(nullptr);
        tool.lpszText = target_->data();
        SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

// Reading needs no write access, so a restricted user still gets the colours.
void HyperLink::ReadColors() {
    KeyHolder key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kColorKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
    ReadColorValue(key.get(), L"Anchor Color", linkColor_);
    ReadColorValue(key.get(), L"Anchor Color Visited", visitedColor_);
}

bool HyperLink::Navigate() {
    const auto execute = SystemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (!target_ || execute == nullptr) return false;
    const auto result =
        reinterpret_cast<INT_PTR>(execute(nullptr, L"open", target_->c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) return false;
    visited_ = true;
    InvalidateRect(window_, nullptr, TRUE);
    return true;
}

bool HyperLink::InLink(POINT point) const { return target_.has_value() && PtInRect(&linkRect_, point); }

void HyperLink::Paint(HDC given) {
    PAINTSTRUCT paint{};
    HDC dc = given != nullptr ? given : BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        GetParent(window_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window_)));
    if (brush != nullptr) FillRect(dc, &client, brush);
    SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColor = SetTextColor(dc, visited_ ? visitedColor_ : linkColor_);
    {
        Selection font(dc, linkFont_ != nullptr ? linkFont_ : normalFont_);
        if (const WString* text = Text()) {
            RECT area = linkRect_;
            DrawTextW(dc, text->c_str(), -1, &area, DT_LEFT | DT_WORDBREAK);
        }
        if (GetFocus() == window_) DrawFocusRect(dc, &linkRect_);
    }
    SetTextColor(dc, previousColor);
    if (given == nullptr) EndPaint(window_, &paint);
}

LRESULT CALLBACK HyperLink::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* link = static_cast<HyperLink*>(GetPropW(window, kLinkProperty));
    if (link == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return link->Handle(message, wParam, lParam);
}

LRESULT HyperLink::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(previous_, window_, message, wParam, lParam);
}

LRESULT HyperLink::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) return HandleMouse(message, wParam, lParam);
    switch (message) {
        case WM_DESTROY:
            // The tooltip may have gone already with its owner's other windows.
            if (!IsWindow(toolTip_.get())) toolTip_.release();
            toolTip_.reset();
            linkFont_ = nullptr;
            normalFont_ = nullptr;
            ownedLinkFont_.reset();
            ownedNormalFont_.reset();
            return CallPrevious(message, wParam, lParam);
        case WM_NCDESTROY: {
            const WNDPROC previous = previous_;
            HWND window = window_;
            Detach();
            return CallWindowProcW(previous, window, message, wParam, lParam);
        }
        case WM_SETCURSOR: {
            POINT point{};
            GetCursorPos(&point);
            ScreenToClient(window_, &point);
            if (!InLink(point)) return CallPrevious(message, wParam, lParam);
            SetCursor(cursor_);
            return TRUE;
        }
        case WM_CHAR:
            if (wParam == VK_RETURN || wParam == VK_SPACE) Navigate();
            return 0;
        case WM_GETDLGCODE: return DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(window_, nullptr, TRUE); return 0;
        case WM_PAINT:
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;
        default: return CallPrevious(message, wParam, lParam);
    }
}

LRESULT HyperLink::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (toolTip_) {
        MSG relayed{window_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        SendMessageW(toolTip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_MOUSEMOVE:
            if (!InLink(point)) break;
            SetCursor(cursor_);
            return 0;
        case WM_LBUTTONDOWN:
            if (!InLink(point)) break;
            SetFocus(window_);
            SetCapture(window_);
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == window_) ReleaseCapture();
            if (InLink(point)) Navigate();
            return 0;
    }
    return CallPrevious(message, wParam, lParam);
}

}  // namespace tarn
