// Looking at a launcher's splash from outside the process, as the user's screen shows it.
#pragma once
#include <windows.h>

#include <string_view>

#include "tests/standin/kit/Standin.h"

namespace tarn::test {

struct SplashView {
    HWND window = nullptr;
    DWORD classStyle = 0;
    LONG style = 0;
    LONG exStyle = 0;
    RECT rect{};
    HWND owner = nullptr;
    WString title;
};

// The process's top-level window of the splash class, visible or not; null when there is none.
HWND FindSplashWindow(DWORD processId);
SplashView ViewOf(HWND window);
// The colour the screen shows at (x, y).
COLORREF ScreenPixel(int x, int y);
// Waits, at most timeoutMs and only while the process runs, for a trace line named name whose
// detail contains part; true when it came.
bool AwaitTraceLine(const TraceFile& trace, HANDLE process, std::string_view name, std::string_view part = {},
                    DWORD timeoutMs = 30000);

}  // namespace tarn::test
