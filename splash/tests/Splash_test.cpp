// The splash as a user sees it, through the real launcher: the window for each kind of picture,
// how long it stays, its message boxes, -nosplash and the runtime's splash library. {app} is the
// product folder; the stand-in's "await" and createGate hold the launch until the test has looked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "tests/kit/Dialogs.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"

namespace tarn::test {
namespace {

std::string Data(const WString& name) { return ReadBytes(SourceDir() + L"\\splash\\tests\\data\\" + name); }

// The usual product showing {app}\s.png; main waits at the gate, then says so.
Scenario Product(const WString& settings, const Gate& gate, const std::string& then = " out main ends\n") {
    return {.settings = AppSettings(settings),
            .classes = {{"app/Main", "method main\n await " + gate.Name() + "\n" + then + "end\n"}},
            .files = {{L"{app}\\s.png", Data(L"quadrants.png")}}};
}

// A folder under {app} that makes {app}\...\s.png about 390 characters long.
const WString kDeep = L"{app}\\" + WString(110, L'd') + L"\\" + WString(110, L'e') + L"\\" + WString(110, L'f');

std::vector<HWND> Splashes(DWORD processId) { return FindDialogs(processId, L"SplashScreenWindow"); }

// Waits (bounded, while the launcher runs) for its splash to be visible and painted.
HWND AwaitSplash(const ChildProcess& child) {
    const ULONGLONG deadline = GetTickCount64() + 30000;
    do {
        const std::vector<HWND> shown = Splashes(child.Id());
        DWORD_PTR answer = 0;
        // Answered once the splash thread is in its message loop, so after the first painting.
        if (!shown.empty() && SendMessageTimeoutW(shown[0], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return shown[0];
    } while (WaitForSingleObject(child.Handle(), 10) == WAIT_TIMEOUT && GetTickCount64() < deadline);
    return nullptr;
}

// Wine's load order for the test's App.exe: a gdiplus.dll beside it before Wine's own.
struct PlantedGdiPlusFirst {
    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\App.exe\\DllOverrides";
    PlantedGdiPlusFirst() { RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"gdiplus", REG_SZ, L"native,builtin", 30); }
    ~PlantedGdiPlusFirst() { RegDeleteKeyW(HKEY_CURRENT_USER, kKey); }
};

struct Shown {
    const char* what;
    WString settings;
    std::vector<std::pair<WString, std::string>> files;  // besides {app}\s.png
    RECT rect;         // worked out by hand for the 1280 x 1024 screen of tools/with-display.sh
    int tolerance;     // per colour channel at the quadrants' centres; -1: nothing to see
    bool shadow = false;
    bool runtimeLibrary = false;
    bool plantedFirst = false;
    bool vmFails = false;  // creation fails while the splash is up: its message box is owned by the splash
};

void ExpectShown(const Shown& row) {
    SCOPED_TRACE(row.what);
    const Gate gate;
    const std::string failing = "-Dtarn.standin.createGate=" + gate.Name() + " -Dtarn.standin.createResult=-1";
    Scenario scenario = Product(
        (row.vmFails ? L"Virtual Machine Parameters=" + FromUtf8(failing) + L"\r\n" : L"") + row.settings, gate);
    HWND boxOwner = nullptr;
    scenario.onDialog = [&](const SeenDialog& box) {
        boxOwner = GetWindow(box.window, GW_OWNER);
        return false;  // the launcher's own box: left to the run to close
    };
    scenario.files.insert(scenario.files.end(), row.files.begin(), row.files.end());
    scenario.runtimes[0].spec.splashLibrary = row.runtimeLibrary;
    std::optional<PlantedGdiPlusFirst> plantedFirst;
    if (row.plantedFirst) plantedFirst.emplace();
    Launch launch(scenario);
    const auto child = launch.Start(L"");
    const HWND window = AwaitSplash(*child);
    ASSERT_NE(window, nullptr) << launch.ReadTrace().Text();
    const DWORD classStyle = CS_DBLCLKS | CS_SAVEBITS | (row.shadow ? CS_DROPSHADOW : 0);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE), classStyle);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), WS_POPUP);
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_EQ(WindowText(window), L"");
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_TRUE(EqualRect(&r, &row.rect)) << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top;
    // The pictures' quadrants, left to right and top to bottom.
    const COLORREF quadrants[4] = {RGB(200, 30, 30), RGB(30, 160, 60), RGB(40, 60, 200), RGB(240, 200, 40)};
    const HDC screen = GetDC(nullptr);
    for (int i = 0; i < 4 && row.tolerance >= 0; ++i) {
        const COLORREF seen = GetPixel(screen, r.left + (r.right - r.left) * (1 + 2 * (i % 2)) / 4,
                                       r.top + (r.bottom - r.top) * (1 + 2 * (i / 2)) / 4);
        for (int shift : {0, 8, 16}) {
            EXPECT_LE(std::abs(int(seen >> shift & 0xFF) - int(quadrants[i] >> shift & 0xFF)), row.tolerance)
                << "quadrant " << i << " shows " << std::hex << seen;
        }
    }
    ReleaseDC(nullptr, screen);
    gate.Open();
    const Outcome o = launch.Finish(*child);
    EXPECT_FALSE(o.trace.Has("SplashInit") || o.trace.Has("SplashClose")) << o.trace.Text();
    if (!row.vmFails) {
        ExpectCleanEnd(o, 0);
        EXPECT_EQ(o.out, WStringList{L"main ends"});
        return;
    }
    EXPECT_EQ(o.exitCode, -1);
    EXPECT_EQ(o.DialogTexts(), WStringList{L"JNI exception: failed to create the Java VM\nReason: unknown.\n"});
    EXPECT_EQ(boxOwner, window);
}

TEST(Splash, WindowPerPictureCentredAtItsOwnSize) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    const WString png = L"[Display]\r\nSplash Screen={app}\\s.png\r\n";
    const RECT pngRect = {608, 488, 672, 536};  // 64 x 48
    const RECT nothing = {640, 512, 640, 512};
    const Shown rows[] = {
        {"PNG", png, {}, pngRect, 0},
        {"JPEG; shadow True is no shadow", L"[Display]\r\nSplash Screen={app}\\s.jpg\r\nSplash Screen Shadow=True\r\n",
         {{L"{app}\\s.jpg", Data(L"quadrants.jpg")}}, {600, 482, 680, 542}, 12},
        {"BMP of odd size; the runtime's library not preferred",
         L"[Display]\r\nSplash Screen={app}\\s.bmp\r\nPreffer Native Splash Screen=No\r\n",
         {{L"{app}\\s.bmp", Data(L"quadrants.bmp")}}, {623, 501, 656, 522}, 0, false, true},
        {"GIF with shadow true; the library preferred but missing",
         L"[Display]\r\nSplash Screen={app}\\s.gif\r\nSplash Screen Shadow=true\r\nPreffer Native Splash Screen=Yes\r\n",
         {{L"{app}\\s.gif", Data(L"quadrants.gif")}}, {620, 497, 660, 527}, 0, true},
        {"larger than the screen: negative origin, halves toward zero", L"[Display]\r\nSplash Screen={app}\\l.png\r\n",
         {{L"{app}\\l.png", Data(L"large.png")}}, {-10, -3, 1291, 1028}, 0},
        {"relative to the current folder, here the launcher's",
         L"[Application]\r\nOverride WorkingDir=Yes\r\n[Display]\r\nSplash Screen=s.png\r\n", {}, pngRect, 0},
        {"a gdiplus.dll beside the launcher is never loaded", png,
         {{L"{app}\\gdiplus.dll", ReadBytes(StandinSplashLibrary())}}, pngRect, 0, false, false, true},
        {"a library without SplashInit: the window, and no close",
         png + L"Preffer Native Splash Screen=yes\r\n",
         {{L"{app}\\jre\\bin\\splashscreen.dll", ReadBytes(BuildDir() + L"\\standin\\noinit\\splashscreen.dll")}}, pngRect, 0},
        {"a message box while it is up", png, {}, pngRect, -1, false, false, false, true},  // pixels: the PNG row
        {"a corrupt picture shows nothing", L"[Display]\r\nSplash Screen={app}\\c.png\r\n",
         {{L"{app}\\c.png", Data(L"quadrants.png").substr(0, 40)}}, nothing, -1},
        {"a path of about 390 characters", L"[Display]\r\nSplash Screen=" + kDeep + L"\\s.png\r\n",
         {{kDeep + L"\\s.png", Data(L"quadrants.png")}}, pngRect, 0},
        {"a missing picture shows nothing", L"[Display]\r\nSplash Screen={app}\\none.png\r\n", {}, nothing, -1},
    };
    for (const Shown& row : rows) ExpectShown(row);
}

TEST(Splash, GoesWhenMainReturnsWhileTheProgramWorksOn) {
    const Gate gate;
    Launch launch(Product(L"[Display]\r\nSplash Screen={app}\\s.png\r\n", gate, " thread 600000 still working\n"));
    const auto child = launch.Start(L"");
    ASSERT_NE(AwaitSplash(*child), nullptr);
    gate.Open();
    // DestroyJavaVM waits for the program's thread; the splash is closed before.
    ASSERT_TRUE(AwaitCondition([&] { return launch.ReadTrace().Has("DestroyJavaVM"); }, 30000));
    EXPECT_EQ(WaitForSingleObject(child->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the program ended";
    EXPECT_EQ(Splashes(child->Id()), std::vector<HWND>{});
    EXPECT_TRUE(NoWarnings(launch.ReadTrace()));
}

// The runtime's library is called on the launcher's main thread, so in the stand-in's trace its
// calls fall in order with the VM's: when it starts, and that it closes once.
TEST(Splash, RuntimeLibraryOrNoneAsArgumentsAndSettingsSay) {
    struct Row {
        const char* what;
        WString settings;
        WString arguments;
        std::string calls;  // the library's calls and the VM's creation and end, in order
        WStringList out = {};
        int exitCode = 0;
        std::string main = "method main\n args\nend\n";
        JvmVariant jvm = JvmVariant::Full;
        WString picture = L"{app}\\s.png";  // and what the library is told: the long-path form beyond MAX_PATH
    };
    const std::string shown = "SplashInit SplashLoadFile SplashSetFileJarName JNI_CreateJavaVM ";
    const std::string toTheEnd = shown + "DestroyJavaVM SplashClose", none = "JNI_CreateJavaVM DestroyJavaVM";
    const WString preferred = L"[Display]\r\nSplash Screen={app}\\s.png\r\nPreffer Native Splash Screen=yEs\r\n";
    const Row rows[] = {
        {"preferred in any letter case: the library, closed once at the end", preferred, L"", toTheEnd},
        {"a VM that fails closes it then, and only then",
         L"Virtual Machine Parameters=-Dtarn.standin.createResult=-1\r\n" + preferred, L"", shown + "SplashClose", {}, -1},
        {"a main that cannot be called closes it before the VM goes", preferred, L"", shown + "SplashClose DestroyJavaVM",
         {}, -1, "method other\nend\n", JvmVariant::NoLauncherHelper},
        {"-nosplash: no splash, and main still gets the word", preferred, L"a -nosplash", none, {L"a", L"-nosplash"}},
        {"/nosplash too", preferred, L"/nosplash", none, {L"/nosplash"}},
        {"-NOSPLASH does not count", preferred, L"-NOSPLASH", toTheEnd, {L"-NOSPLASH"}},
        {"no picture, no splash", L"[Display]\r\nPreffer Native Splash Screen=Yes\r\n", L"", none},
        {"a path beyond MAX_PATH in its long-path form",
         L"[Display]\r\nSplash Screen=" + kDeep + L"\\s.png\r\nPreffer Native Splash Screen=Yes\r\n", L"", toTheEnd, {}, 0,
         "method main\n args\nend\n", JvmVariant::Full, L"\\\\?\\" + kDeep + L"\\s.png"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Launch launch({.settings = AppSettings(row.settings),
                       .classes = {{"app/Main", row.main}},
                       .runtimes = {{L"{app}\\jre", {.splashLibrary = true, .variant = row.jvm}}},
                       .files = {{L"{app}\\s.png", Data(L"quadrants.png")}, {kDeep + L"\\s.png", Data(L"quadrants.png")}}});
        const Outcome o = launch.Run(row.arguments);
        EXPECT_EQ(o.exitCode, row.exitCode);
        EXPECT_EQ(o.out, row.out);
        std::string calls;
        for (const TraceLine& line : o.trace.Lines()) {
            if (line.name.starts_with("Splash") || line.name == "JNI_CreateJavaVM returned" ||
                line.name == "DestroyJavaVM returned")
                calls += (calls.empty() ? "" : " ") + line.name.substr(0, line.name.find(' '));
        }
        EXPECT_EQ(calls, row.calls) << o.trace.Text();
        if (!row.calls.starts_with("Splash")) continue;
        const std::string picture = "\"" + ToUtf8(launch.Expand(row.picture)) + "\"";
        EXPECT_EQ(o.trace.Details("SplashLoadFile"), std::vector<std::string>{picture});
        EXPECT_EQ(o.trace.Details("SplashSetFileJarName"), std::vector<std::string>{picture + ", \"\""});
    }
}

}  // namespace
}  // namespace tarn::test
