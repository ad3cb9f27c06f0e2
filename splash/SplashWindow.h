// The launcher's own splash: a borderless tool window that shows the picture at its own size,
// centred on the primary screen. Created, painted and destroyed on the splash thread only.
#pragma once
#include <windows.h>

#include "base/Handles.h"
#include "base/Text.h"
#include "splash/SplashImage.h"

namespace tarn {

inline constexpr wchar_t kSplashWindowClass[] = L"SplashScreenWindow";

class SplashWindow {
public:
    SplashWindow() = default;
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    // Renders the picture and creates the (hidden) window; false when no window could be made.
    bool Create(const WString& picturePath, bool shadow);
    HWND Handle() const { return window_.get(); }
    // Must run on the thread that created the window.
    void Destroy() { window_.reset(); }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window) const;

    SplashBitmap picture_;
    WindowHolder window_;
};

}  // namespace tarn
