// The splash as a user sees it, through the real launcher: the window for each kind of picture,
// how long it stays, -nosplash, the runtime's splash library, and message boxes while it is up.
// {app} is the product folder; the stand-in's "await" holds main until the test has looked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "splash/tests/SplashProbe.h"
#include "tests/kit/Locations.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

// The four quadrants of the pictures in data/: top left, top right, bottom left, bottom right.
constexpr COLORREF kQuadrants[4] = {RGB(200, 30, 30), RGB(30, 160, 60), RGB(40, 60, 200), RGB(240, 200, 40)};

std::string Picture(const wchar_t* name) { return ReadBytes(SourceDir() + L"\\splash\\tests\\data\\" + name); }
std::string NoInitSplashLibrary() {
    const WString library = StandinSplashLibrary();
    return ReadBytes(library.substr(0, library.rfind(L'\\')) + L"\\noinit\\splashscreen.dll");
}
std::string AwaitingMain(const Gate& gate, const std::string& then = " out main ends\n") {
    return "method main\n await " + gate.Name() + "\n" + then + "end\n";
}

// The usual product with {app}\s.png, the PNG of data/, and app.Main.
Scenario WithPicture(const WString& settings, const std::string& main) {
    Scenario scenario;
    scenario.settings = AppSettings(settings);
    scenario.classes = {{"app/Main", main}};
    scenario.files = {{L"{app}\\s.png", Picture(L"quadrants.png")}};
    return scenario;
}

std::string Quoted(std::string text) {
    text.insert(text.begin(), '"');
    text.push_back('"');
    return text;
}

bool NearColour(COLORREF seen, COLORREF expected, int tolerance) {
    return std::abs(GetRValue(seen) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(seen) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(seen) - GetBValue(expected)) <= tolerance;
}

struct Shown {
    const char* what;
    WString settings;  // after AppSettings' own lines
    std::vector<std::pair<WString, std::string>> files;
    RECT rect;         // worked out by hand for the 1280 x 1024 screen of tools/with-display.sh
    int tolerance;     // per colour channel at the quadrants' centres; -1: nothing to see
    bool shadow = false;
    RuntimeSpec runtime = {};
    bool plantedDllsFirst = false;  // Wine loads a gdiplus.dll found beside the launcher rather than its own
};

// Wine's per-program load order, set for the test's App.exe and removed again.
class PlantedGdiPlusFirst {
public:
    PlantedGdiPlusFirst() {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr);
        RegSetValueExW(key_, L"gdiplus", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native,builtin"), 30);
    }
    ~PlantedGdiPlusFirst() {
        RegCloseKey(key_);
        RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\App.exe\\DllOverrides";
    HKEY key_ = nullptr;
};

void ExpectShown(const Shown& row) {
    SCOPED_TRACE(row.what);
    const Gate gate;
    Scenario scenario = WithPicture(row.settings, AwaitingMain(gate));
    scenario.runtimes = {{L"{app}\\jre", row.runtime}};
    scenario.files = row.files;
    std::optional<PlantedGdiPlusFirst> plantedFirst;
    if (row.plantedDllsFirst) plantedFirst.emplace();
    Launch launch(scenario);
    const auto child = launch.Start(L"");
    const HWND window = AwaitSplashWindow(child->Handle(), child->Id());
    ASSERT_NE(window, nullptr) << launch.ReadTrace().Text();
    const SplashView view = ViewOf(window);
    EXPECT_EQ(view.classStyle, static_cast<DWORD>(CS_DBLCLKS | CS_SAVEBITS | (row.shadow ? CS_DROPSHADOW : 0)));
    EXPECT_EQ(view.style & (WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), WS_POPUP);
    EXPECT_EQ(view.exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW);
    EXPECT_EQ(view.owner, nullptr);
    EXPECT_EQ(view.title, L"");
    const RECT& r = view.rect;
    EXPECT_TRUE(EqualRect(&r, &row.rect)) << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top;
    for (int quadrant = 0; quadrant < 4 && row.tolerance >= 0; ++quadrant) {
        const int x = r.left + (r.right - r.left) * (1 + 2 * (quadrant % 2)) / 4;
        const int y = r.top + (r.bottom - r.top) * (1 + 2 * (quadrant / 2)) / 4;
        const COLORREF seen = ScreenPixel(x, y);
        EXPECT_TRUE(NearColour(seen, kQuadrants[quadrant], row.tolerance))
            << "quadrant " << quadrant << " at " << x << "," << y << " shows " << GetRValue(seen) << ","
            << GetGValue(seen) << "," << GetBValue(seen);
    }
    gate.Open();
    const Outcome o = launch.Finish(*child);
    ExpectCleanEnd(o, 0);
    EXPECT_EQ(o.out, WStringList{L"main ends"});
    EXPECT_FALSE(o.trace.Has("SplashInit") || o.trace.Has("SplashClose")) << o.trace.Text();
}

TEST(Splash, WindowPerPictureCentredAtItsOwnSize) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    const std::string png = Picture(L"quadrants.png");
    const RECT pngRect = {608, 488, 672, 536};  // 64 x 48
    const RECT nothing = {640, 512, 640, 512};
    const Shown rows[] = {
        {"PNG", L"[Display]\r\nSplash Screen={app}\\s.png\r\n", {{L"{app}\\s.png", png}}, pngRect, 0},
        {"JPEG; shadow True is no shadow", L"[Display]\r\nSplash Screen={app}\\s.jpg\r\nSplash Screen Shadow=True\r\n",
         {{L"{app}\\s.jpg", Picture(L"quadrants.jpg")}}, {600, 482, 680, 542}, 12},
        {"BMP of odd size (half pixels dropped); native splash not preferred though the runtime has one",
         L"[Display]\r\nSplash Screen={app}\\s.bmp\r\nPreffer Native Splash Screen=No\r\n",
         {{L"{app}\\s.bmp", Picture(L"quadrants.bmp")}}, {623, 501, 656, 522}, 0, false, {.splashLibrary = true}},
        {"GIF with shadow true; native splash preferred but the runtime has none",
         L"[Display]\r\nSplash Screen={app}\\s.gif\r\nSplash Screen Shadow=true\r\nPreffer Native Splash Screen=Yes\r\n",
         {{L"{app}\\s.gif", Picture(L"quadrants.gif")}}, {620, 497, 660, 527}, 0, true},
        {"larger than the screen: a negative origin, halves toward zero", L"[Display]\r\nSplash Screen={app}\\s.png\r\n",
         {{L"{app}\\s.png", Picture(L"large.png")}}, {-10, -3, 1291, 1028}, 0},
        {"a relative path from the current folder, here the launcher's",
         L"[Application]\r\nOverride WorkingDir=Yes\r\n[Display]\r\nSplash Screen=pictures\\s.png\r\n",
         {{L"{app}\\pictures\\s.png", png}}, pngRect, 0},
        {"a gdiplus.dll beside the launcher is never loaded", L"[Display]\r\nSplash Screen={app}\\s.png\r\n",
         {{L"{app}\\s.png", png}, {L"{app}\\gdiplus.dll", ReadBytes(StandinSplashLibrary())}}, pngRect, 0, false, {},
         true},
        {"a runtime library without SplashInit: the window, and the library is never closed",
         L"[Display]\r\nSplash Screen={app}\\s.png\r\nPreffer Native Splash Screen=yes\r\n",
         {{L"{app}\\s.png", png}, {L"{app}\\jre\\bin\\splashscreen.dll", NoInitSplashLibrary()}}, pngRect, 0},
        {"a corrupt picture shows nothing", L"[Display]\r\nSplash Screen={app}\\s.png\r\n",
         {{L"{app}\\s.png", png.substr(0, 40)}}, nothing, -1},
        {"a folder as picture shows nothing", L"[Display]\r\nSplash Screen={app}\\pictures\r\n",
         {{L"{app}\\pictures\\s.png", png}}, nothing, -1},
        {"a missing picture shows nothing", L"[Display]\r\nSplash Screen={app}\\none.png\r\n", {}, nothing, -1},
    };
    for (const Shown& row : rows) ExpectShown(row);
}

TEST(Splash, GoesWhenMainReturnsWhileTheProgramWorksOn) {
    const Gate gate;
    Launch launch(WithPicture(L"[Display]\r\nSplash Screen={app}\\s.png\r\n",
                              AwaitingMain(gate, " thread 600000 still working\n")));
    const auto child = launch.Start(L"");
    ASSERT_NE(AwaitSplashWindow(child->Handle(), child->Id()), nullptr);
    gate.Open();
    // DestroyJavaVM waits for the program's thread; the splash must be gone by then.
    ASSERT_TRUE(AwaitTraceLine(launch, child->Handle(), "DestroyJavaVM"));
    EXPECT_EQ(WaitForSingleObject(child->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the program ended";
    EXPECT_EQ(FindSplashWindow(child->Id()), nullptr);
    EXPECT_TRUE(NoWarnings(launch.ReadTrace()));
}

TEST(Splash, OwnsTheMessageBoxesShownWhileItIsUp) {
    const Gate gate;
    HWND boxOwner = nullptr;
    const std::string gated = "-Dtarn.standin.createGate=" + gate.Name();
    Scenario scenario = WithPicture(L"Virtual Machine Parameters=" + WString(gated.begin(), gated.end()) +
                                        L" -Dtarn.standin.createResult=-1\r\n[Display]\r\nSplash Screen={app}\\s.png\r\n",
                                    "method main\nend\n");
    scenario.onDialog = [&](const SeenDialog& box) {
        boxOwner = GetWindow(box.window, GW_OWNER);
        return false;
    };
    Launch launch(scenario);
    const auto child = launch.Start(L"");
    const HWND splash = AwaitSplashWindow(child->Handle(), child->Id());
    ASSERT_NE(splash, nullptr);
    gate.Open();
    const Outcome o = launch.Finish(*child);
    EXPECT_EQ(o.exitCode, -1);
    EXPECT_EQ(o.DialogTexts(), WStringList{L"JNI exception: failed to create the Java VM\nReason: unknown.\n"});
    EXPECT_EQ(boxOwner, splash);
}

// The runtime's library is called on the launcher's main thread, so its calls, in the stand-in's
// trace, fall in order with the VM's: the order says when the library starts and closes.
TEST(Splash, RuntimeLibraryOrNoneAsArgumentsAndSettingsSay) {
    struct Row {
        const char* what;
        WString settings;
        WString arguments;
        std::vector<std::string> calls;
        WStringList out = {};
        int exitCode = 0;
        JvmVariant jvm = JvmVariant::Full;
        std::string main = "method main\n args\nend\n";
    };
    const std::vector<std::string> shownToTheEnd = {"SplashInit", "SplashLoadFile", "SplashSetFileJarName",
                                                    "JNI_CreateJavaVM returned", "DestroyJavaVM returned", "SplashClose"};
    const std::vector<std::string> none = {"JNI_CreateJavaVM returned", "DestroyJavaVM returned"};
    const WString preferred = L"[Display]\r\nSplash Screen={app}\\s.png\r\nPreffer Native Splash Screen=yEs\r\n";
    const Row rows[] = {
        {"preferred in any letter case: through the library, closed once at the end", preferred, L"", shownToTheEnd},
        {"a VM that fails closes it at once, and only then",
         L"Virtual Machine Parameters=-Dtarn.standin.createResult=-1\r\n" + preferred, L"",
         {"SplashInit", "SplashLoadFile", "SplashSetFileJarName", "JNI_CreateJavaVM returned", "SplashClose"}, {}, -1},
        {"a main that cannot be called closes it at once, before the VM goes", preferred, L"",
         {"SplashInit", "SplashLoadFile", "SplashSetFileJarName", "JNI_CreateJavaVM returned", "SplashClose",
          "DestroyJavaVM returned"}, {}, -1, JvmVariant::NoLauncherHelper, "method other\nend\n"},
        {"-nosplash: no splash, and main still gets the word", preferred, L"a -nosplash", none, {L"a", L"-nosplash"}},
        {"/nosplash too", preferred, L"/nosplash", none, {L"/nosplash"}},
        {"-NOSPLASH does not count", preferred, L"-NOSPLASH", shownToTheEnd, {L"-NOSPLASH"}},
        {"no picture, no splash", L"[Display]\r\nPreffer Native Splash Screen=Yes\r\n", L"", none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Scenario scenario = WithPicture(row.settings, row.main);
        scenario.runtimes[0].spec.splashLibrary = true;
        scenario.runtimes[0].spec.variant = row.jvm;
        Launch launch(scenario);
        const Outcome o = launch.Run(row.arguments);
        EXPECT_TRUE(o.finished);
        EXPECT_EQ(o.exitCode, row.exitCode);
        std::vector<std::string> calls;
        for (const TraceLine& line : o.trace.Lines()) {
            if (line.name.rfind("Splash", 0) == 0 || line.name == "JNI_CreateJavaVM returned" ||
                line.name == "DestroyJavaVM returned") {
                calls.push_back(line.name);
            }
        }
        EXPECT_EQ(calls, row.calls) << o.trace.Text();
        EXPECT_EQ(o.out, row.out);
        if (row.calls.front() != "SplashInit") continue;
        const std::string picture = Quoted(ToUtf8(launch.Expand(L"{app}\\s.png")));
        EXPECT_EQ(o.trace.Details("SplashLoadFile"), std::vector<std::string>{picture});
        EXPECT_EQ(o.trace.Details("SplashSetFileJarName"), std::vector<std::string>{picture + ", \"\""});
    }
}

}  // namespace
}  // namespace tarn::test
