#include "tests/kit/Console.h"

#include "base/Handles.h"

namespace tarn::test {

static BOOL WINAPI GoOnAfterCtrlC(DWORD event) { return event == CTRL_C_EVENT; }

void UseOwnConsole() {
    static const bool done = [] {
        const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE), err = GetStdHandle(STD_ERROR_HANDLE);
        FreeConsole();
        AllocConsole();
        ShowWindow(GetConsoleWindow(), SW_HIDE);
        SetStdHandle(STD_OUTPUT_HANDLE, out);  // the test's own report goes where it went
        SetStdHandle(STD_ERROR_HANDLE, err);
        SetConsoleCtrlHandler(GoOnAfterCtrlC, TRUE);
        return true;
    }();
    (void)done;
}

WStringList ConsoleScreenLines() {
    HandleHolder screen(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen.get(), &info);
    const size_t width = info.dwSize.X;
    WString cells(width * info.dwSize.Y, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen.get(), cells.data(), static_cast<DWORD>(cells.size()), COORD{0, 0}, &read);
    WStringList lines;
    for (size_t start = 0; start + width <= read; start += width) {
        const WString row = cells.substr(start, width);
        lines.push_back(row.substr(0, row.find_last_not_of(L' ') + 1));
    }
    return lines;
}

}  // namespace tarn::test
