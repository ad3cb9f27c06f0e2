#include "splash/SplashWindow.h"

#include "base/GdiGuards.h"
#include "splash/SplashRules.h"

namespace tarn {
namespace {

constexpr UINT kClassStyles = CS_DBLCLKS | CS_SAVEBITS | CS_DROPSHADOW;

bool RegisterSplashClass(UINT styles, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = styles;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kSplashWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The drop shadow is a class style; a system that refuses it still gets a plain splash.
void RegisterSplashClass(bool shadow, WNDPROC procedure) {
    if (shadow && RegisterSplashClass(kClassStyles, procedure)) return;
    RegisterSplashClass(kClassStyles & ~CS_DROPSHADOW, procedure);
}

}  // namespace

bool SplashWindow::Create(const WString& picturePath, bool shadow) {
    RegisterSplashClass(shadow, &WindowProcedure);
    picture_ = RenderSplashPicture(picturePath);
    const SplashOrigin origin = CentreOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                               picture_.width, picture_.height);
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kSplashWindowClass, nullptr, WS_POPUP, origin.left, origin.top,
                                  picture_.width, picture_.height, nullptr, nullptr, GetModuleHandleW(nullptr), this));
    return static_cast<bool>(window_);
}

// The object rides in with the creation parameters and is found through the window from then on.
LRESULT CALLBACK SplashWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    const auto* self = reinterpret_cast<const SplashWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_PAINT) {
        self->Paint(window);
        return 0;
    }
    // The picture covers the whole window: erasing first would only flicker.
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

void SplashWindow::Paint(HWND window) const {
    const PaintGuard paint(window);
    if (!picture_.bitmap) return;
    const MemoryDcHolder memory(CreateCompatibleDC(paint.get()));
    if (!memory) return;
    BITMAP size{};
    GetObjectW(picture_.bitmap.get(), sizeof(size), &size);
    const Selection selected(memory.get(), picture_.bitmap.get());
    BitBlt(paint.get(), 0, 0, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace tarn
