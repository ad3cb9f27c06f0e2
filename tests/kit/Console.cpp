#include "tests/kit/Console.h"

#include "base/Handles.h"

namespace tarn::test {

static BOOL WINAPI GoOnAfterCtrlC(DWORD event) { return event == CTRL_C_EVENT; }

void UseOwnConsole() {
    static const bool done = [] {
        FreeConsole();
        AllocConsole();
        ShowWindow(GetConsoleWindow(), SW_HIDE);
        return SetConsoleCtrlHandler(GoOnAfterCtrlC, TRUE) != FALSE;
    }();
    (void)done;
}

WString ConsoleScreenText() {
    HandleHolder screen(CreateFileW(L"CONOUT$", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen.get(), &info);
    WString cells(info.dwSize.X * info.dwSize.Y, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen.get(), cells.data(), static_cast<DWORD>(cells.size()), COORD{0, 0}, &read);
    return cells.substr(0, read);
}

}  // namespace tarn::test
