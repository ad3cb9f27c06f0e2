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

HWND AwaitSplashWindow(HANDLE process, DWORD processId, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        const HWND window = FindSplashWindow(processId);
        if (window != nullptr && IsWindowVisible(window)) {
            // Answered once the splash thread is in its message loop: after its first painting.
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
            return window;
        }
    } while (WaitForSingleObject(process, 10) == WAIT_TIMEOUT && GetTickCount64() < deadline);
    return nullptr;
}

bool AwaitTraceLine(const Launch& launch, HANDLE process, std::string_view name, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (launch.ReadTrace().Has(name)) return true;
    } while (WaitForSingleObject(process, 10) == WAIT_TIMEOUT && GetTickCount64() < deadline);
    return launch.ReadTrace().Has(name);
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
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

Gate::Gate() {
    static int count = 0;
    name_ = "tarn-splash-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    event_ = CreateEventA(nullptr, TRUE, FALSE, name_.c_str());
}

Gate::~Gate() {
    SetEvent(event_);  // nothing stays blocked on a test that failed midway
    CloseHandle(event_);
}

}  // namespace tarn::test
