// Looking at a launcher's splash from outside the process, as the user's screen shows it.
#pragma once
#include <windows.h>

#include <string>

#include "base/Text.h"
#include "tests/kit/Scenario.h"

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
// Waits, while the process runs and at most timeoutMs, for its splash window to be visible and painted.
HWND AwaitSplashWindow(HANDLE process, DWORD processId, DWORD timeoutMs = 30000);
SplashView ViewOf(HWND window);
// Waits, while the process runs and at most timeoutMs, for a trace line of that name; true when it came.
bool AwaitTraceLine(const Launch& launch, HANDLE process, std::string_view name, DWORD timeoutMs = 30000);
// The colour the screen shows at (x, y).
COLORREF ScreenPixel(int x, int y);

// A named event that the stand-in's "await NAME" and tarn.standin.createGate=NAME wait for: the
// test holds the launch there until it has looked.
class Gate {
public:
    Gate();
    ~Gate();
    Gate(const Gate&) = delete;
    Gate& operator=(const Gate&) = delete;
    const std::string& Name() const { return name_; }
    void Open() const { SetEvent(event_); }

private:
    std::string name_;
    HANDLE event_;
};

}  // namespace tarn::test
