#include "splash/tests/SplashProbe.h"

#include "tests/kit/Dialogs.h"

namespace tarn::test {
namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchSplash(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner != search->processId || WString(className) != L"SplashScreenWindow") return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindSplashWindow(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(MatchSplash, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

SplashView ViewOf(HWND window) {
    SplashView view;
    view.window = window;
    view.classStyle = static_cast<DWORD>(GetClassLongPtrW(window, GCL_STYLE));
    view.style = GetWindowLongW(window, GWL_STYLE);
    view.exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    GetWindowRect(window, &view.rect);
    view.owner = GetWindow(window, GW_OWNER);
    view.title = WindowText(window);
    return view;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool AwaitTraceLine(const TraceFile& trace, HANDLE process, std::string_view name, std::string_view part,
                    DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (trace.Read().Has(name, part)) return true;
        if (GetTickCount64() > deadline || WaitForSingleObject(process, 20) != WAIT_TIMEOUT) {
            return trace.Read().Has(name, part);
        }
    }
}

}  // namespace tarn::test
