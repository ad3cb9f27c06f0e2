// The "Java Exception" report of an exception escaping main, read and answered as a user would.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "tests/kit/Dialogs.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"

namespace tarn::test {
namespace {

const WString kMessage = L"Gr\u00FC\u00DFe \u65E5\u672C";
constexpr int kGripId = 0xE801;

RECT ChildRect(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    return GetWindowRect(window, &rect), rect;
}

void Resize(HWND dialog, LONG width, LONG height) { SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE); }

// How each control's edges (left, top, right, bottom) follow when the dialog grows by dW, dH.
void ExpectLayoutAfterGrowing(HWND dialog, LONG dW, LONG dH) {
    struct Follow {
        int id;
        LONG left, top, right, bottom;
    } const follows[] = {
        {209, 0, 0, dW, dH}, {210, 0, 0, dW, 0},   {211, 0, dH, dW, dH}, {212, 0, dH, dW, dH},  {208, 0, 0, dW, dH},
        {1, dW, dH, dW, dH}, {2, dW, dH, dW, dH}, {204, 0, 0, 0, 0},    {kGripId, dW, dH, dW, dH},
    };
    std::vector<RECT> before;
    for (const Follow& f : follows) before.push_back(ChildRect(dialog, f.id));
    const RECT window = WindowRect(dialog);
    Resize(dialog, window.right - window.left + dW, window.bottom - window.top + dH);
    for (size_t i = 0; i < std::size(follows); ++i) {
        const Follow& f = follows[i];
        const RECT after = ChildRect(dialog, f.id);
        const std::array moved{after.left - before[i].left, after.top - before[i].top, after.right - before[i].right,
                               after.bottom - before[i].bottom};
        EXPECT_EQ(moved, (std::array{f.left, f.top, f.right, f.bottom})) << "control " << f.id;
    }
}

// Everything the user sees and can do to the report, then Ignore.
bool InspectThenIgnore(const SeenDialog& seen) {
    HWND dialog = seen.window;
    EXPECT_EQ(seen.title, L"Java Exception");
    WString texts;
    for (int id : {209, 210, 211, 212, 1, 2}) texts += ControlText(dialog, id) + L"|";
    EXPECT_EQ(texts, L"Uncaught Exception|The java process has thrown the following uncaught exception:|"
                     L"Press Ignore to continue and ignore the exception or press Stop to close the application.|"
                     L"WARNING: If you choose to Stop the application any unsaved data will be lost.|Ignore|Stop|");
    EXPECT_EQ(ControlText(dialog, 208),
              L"java.lang.IllegalStateException: " + kMessage + L"\r\n\tat app.Main.main(Main.java:3)\r\n");
    EXPECT_NE(GetWindowLongW(GetDlgItem(dialog, 208), GWL_STYLE) & ES_READONLY, 0);
    // Opened centred on the work area, as it has no owner.
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const RECT opened = WindowRect(dialog);
    const LONG width = opened.right - opened.left, height = opened.bottom - opened.top;
    EXPECT_EQ(opened.left, area.left + (area.right - area.left) / 2 - width / 2);
    EXPECT_EQ(opened.top, area.top + (area.bottom - area.top) / 2 - height / 2);

    ExpectLayoutAfterGrowing(dialog, 100, 60);
    ExpectLayoutAfterGrowing(dialog, 30, 20);  // placed from where they opened, not from where they were
    Resize(dialog, width - 40, height - 30);
    const RECT shrunk = WindowRect(dialog);
    EXPECT_EQ(shrunk.right - shrunk.left, width) << "narrower than it opened";
    EXPECT_EQ(shrunk.bottom - shrunk.top, height) << "lower than it opened";
    ShowWindow(dialog, SW_MAXIMIZE);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kGripId))) << "grip while maximised";
    ShowWindow(dialog, SW_RESTORE);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kGripId))) << "grip once restored";
    PressButton(dialog, 1);
    return true;
}

// Whether the process that shows this dialog also shows its splash window.
bool SplashBeside(HWND dialog) {
    DWORD process = 0;
    GetWindowThreadProcessId(dialog, &process);
    return !FindDialogs(process, L"SplashScreenWindow").empty();
}

TEST(ExceptionReport, EachAnswerAndItsExitCode) {
    struct Row {
        const char* what;
        WString failureCheck;
        std::function<bool(const SeenDialog&)> answer;
        int exitCode;
    } rows[] = {
        {"Ignore: the other thread goes on, exit 0", L"yes", InspectThenIgnore, 0},
        {"Stop (Escape and the close box: IDCANCEL too)", L"YES", [](const SeenDialog& d) { return PressButton(d.window, 2), true; }, -1},
        {"Failure Check other than yes: no report", L"true", nullptr, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Outcome o = Launch({.settings = AppSettings(L"[Application]\r\nFailure Check=" + row.failureCheck +
                                                          L"\r\n[Display]\r\nSplash Screen={app}\\s.png\r\n"),
                                  // A thread that outlives main, then the exception. Stopping must not wait for
                                  // the thread, which would end far later.
                                  .classes = {{"app/Main", "method main\n thread " + std::to_string(row.exitCode == 0 ? 300 : 30000) +
                                               " other thread done\n throw java.lang.IllegalStateException " + ToUtf8(kMessage) +
                                               "\nend\n"}},
                                  .files = {{L"{app}\\s.png", ReadBytes(SourceDir() + L"\\splash\\tests\\data\\quadrants.png")}},
                                  .onDialog = [&](const SeenDialog& d) {
                                      if (!row.answer) return false;
                                      EXPECT_FALSE(SplashBeside(d.window)) << "the splash is closed before the report";
                                      return row.answer(d);
                                  }})
                              .Run();
        EXPECT_TRUE(o.finished);
        EXPECT_EQ(o.exitCode, row.exitCode) << o.trace.Text();
        EXPECT_EQ(o.dialogs.size(), row.answer ? 1u : 0u);
        const bool goesOn = row.exitCode == 0;
        // Going on, the exception is printed as uncaught when the thread leaves the VM; stopping, never.
        EXPECT_EQ(o.out == WStringList{L"other thread done"}, goesOn);
        EXPECT_EQ(!o.err.empty() && o.err[0].rfind(L"Exception in thread \"main\" java.lang.IllegalStateException: " +
                                                   kMessage, 0) == 0,
                  goesOn);
        // Still pending when the VM thread leaves, as for any Java thread whose run method throws.
        if (goesOn) {
            EXPECT_LT(o.trace.Find("DetachCurrentThread"), o.trace.Find("Print", "Exception in thread"));
        }
        EXPECT_EQ(o.trace.Has("System.exit", "-1"), !goesOn);
    }
}

}  // namespace
}  // namespace tarn::test
