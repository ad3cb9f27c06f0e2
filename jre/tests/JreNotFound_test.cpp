// The "JRE Not Found" dialog as a user meets it: the real launcher on a machine without a fitting
// runtime, its dialog read and driven through its windows, and what each answer leaves behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>

#include "base/Environment.h"
#include "base/Handles.h"
#include "launcher/SettingsStore.h"
#include "tests/kit/Dialogs.h"
#include "tests/kit/FolderBrowser.h"
#include "tests/kit/RecordingPair.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TempFolder.h"

namespace tarn {
namespace {

using namespace test;

const WString kProduct = L"[Product Information]\r\nProduct Name=Tarn: Test\r\nProduct Code={42}\r\n";
const WString kUserFolder = L"{appdata}\\Tarn Test\\{42}\\";

// Runtimes the user may browse to; nothing beside the launcher, in the registry or in JAVA_HOME.
Scenario Machine(const WString& settings) {
    return {.settings = kProduct + AppSettings(settings),
            .classes = {{"app/Main", "method main\n  out started\nend\n"}},
            .runtimes = {{L"{app}\\rt\\jre", {}},
                         {L"{app}\\rt\\server", {.vms = {L"server"}}},
                         {L"{app}\\rt\\jdk", {.jdk = true}},
                         {L"{app}\\rt\\other", {.arch = Arch::Other}}},
            .environment = {{L"JAVA_HOME", L""}},
            .onDialog = [](const SeenDialog& seen) { return seen.title == L"JRE Not Found"; }};
}

// The dialog of a running launcher, driven as a user drives it.
class DialogSession {
public:
    explicit DialogSession(Launch& launch, const WString& arguments = L"")
        : launch_(launch), process_(launch.Start(arguments)),
          dialog_(AwaitDialog(process_->Id(), L"JRE Not Found", 30000)) {}
    HWND Dialog() const { return dialog_; }
    bool OkEnabled() const { return IsWindowEnabled(GetDlgItem(dialog_, IDOK)) != FALSE; }
    // Browses to folder ({app} expanded) and tells whether OK is enabled then.
    bool Browse(const WString& folder) {
        PressButton(dialog_, 202);
        const HWND browser = AwaitDialog(process_->Id(), L"Browse for Folder");
        const WString path = launch_.Expand(folder);
        EXPECT_NE(browser, nullptr);
        ChooseFolderInBrowser(browser, path);
        EXPECT_TRUE(AwaitCondition([&] { return ControlText(dialog_, 201) == path; })) << ToUtf8(path);
        return OkEnabled();
    }
    // Posts what closes the dialog and waits for the launcher's end.
    Outcome Finish(UINT message, WPARAM wParam) {
        PostMessageW(dialog_, message, wParam, 0);
        return launch_.Finish(*process_);
    }

private:
    Launch& launch_;
    std::unique_ptr<ChildProcess> process_;
    HWND dialog_;
};

// The run ended with exitCode, showing one message box that starts with prefix, or none.
void ExpectEnd(const Outcome& outcome, int exitCode, const WString& prefix = L"") {
    EXPECT_TRUE(outcome.finished) << "the launcher did not end in time";
    EXPECT_EQ(outcome.exitCode, exitCode) << outcome.trace.Text();
    WStringList texts;  // the dialog itself aside
    for (const SeenDialog& seen : outcome.dialogs) {
        if (seen.title != L"JRE Not Found") texts.push_back(seen.text);
    }
    if (prefix.empty()) EXPECT_EQ(texts, WStringList{});
    else EXPECT_THAT(texts, testing::ElementsAre(testing::StartsWith(prefix)));
}

WString JrePathIn(const WString& file) {
    wchar_t value[MAX_PATH] = {};
    GetPrivateProfileStringW(L"Java Runtime Environment", L"JRE Path", L"<absent>", value, MAX_PATH, file.c_str());
    return value;
}

// The lines of UTF-16 INI text other than "JRE Path".
WStringList OtherLines(const std::string& bytes) {
    WStringList lines = SplitList(WString(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2), L"\r\n");
    std::erase_if(lines, [](const WString& line) { return line.starts_with(L"JRE Path="); });
    return lines;
}

// The test's user's roaming folder, as the shell knows it, pointed nowhere; put back at the end.
struct NoRoamingFolder {
    static void Set(const WString& value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                        L"AppData", REG_EXPAND_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    NoRoamingFolder() { Set(L"C:\\nowhere\\roaming"); }
    ~NoRoamingFolder() { Set(L"%USERPROFILE%\\AppData\\Roaming"); }  // the system's default
};

void ForgetChoices() { RemoveTree(GetEnvironment(L"APPDATA") + L"\\Tarn Test"); }

// Each row browses to its folders in turn (OK enabled or not after each), then closes the dialog by
// Cancel, the close box or Esc (nothing written) or by OK: the last folder is written back (for the
// user; a service's own file and its pair's; the user files of launcher and pair when it goes to the
// paired product; other lines kept), or a file that cannot be written is reported and left as it was,
// and the start goes on.
TEST(JreNotFound, StatesTheRuntimeTakesOnlyAFittingFolderAndWritesItBackOnOk) {
    const WString start = L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE ";
    TempFolder pairs(L"pair");
    const WString pairExe = pairs.Path() + L"\\App32.exe", user = kUserFolder + L"App.ini", jre = L"{app}\\rt\\jre";
    const WString toPair = L"[Application]\r\nPair Product=" + pairExe + L"\r\nPair Return Code=", other = L"{app}\\rt\\other";
    const std::vector<std::pair<WString, WString>> users = {{user, other + L"\\"}, {kUserFolder + L"App32.ini", other + L"\\"}};
    const WString lost = L"{app}\\missing\\roaming\\Tarn Test\\{42}\\App.ini", failed = L"Failed to remember the chosen JRE in ";
    const WString unstorable = L"{app}\\rt\\\u65e5\u672c", latest = L"(latest version)";
    const std::vector<std::pair<WString, bool>> toJre = {{jre, true}}, toOther = {{other, true}};
    // NoAppData, DriveAppData (a drive without its root): the shell's roaming folder instead; NoRoaming:
    // nor that; Unstorable: an ANSI file and a folder name its code page cannot hold.
    enum Fault { None, ReadOnly, Locked, NoFolder, NoAppData, DriveAppData, NoRoaming, Unstorable };
    struct Row {
        WString settings, text;                       // text: the requirement the dialog states
        std::vector<std::pair<WString, bool>> steps;  // folder, OK enabled then
        int exitCode;
        std::vector<std::pair<WString, WString>> expect;  // file, JRE Path in it; empty: the file as it was
        WString message = L"";                            // the one message box, none when empty
        Fault fault = None;                               // of the first expected file
        std::optional<int> pairExit = {};  // a recording paired product exiting with this; none: no such file
        UINT close = WM_COMMAND;
        WPARAM closeParam = IDOK;
    } rows[] = {
        {L"", latest, {{L"{app}\\rt\\jdk", false}, {L"{app}\\rt\\jdk\\jre", true}, {L"{app}\\classes", false}, {jre, true}}, 0,
         {{user, jre + L"\\"}}},
        {L"JVM Type=server", L"with a server JVM " + latest, {{jre, false}, {L"{app}\\rt\\server", true}}, 0,
         {{user, L"{app}\\rt\\server\\"}}},
        {L"Maximum Version=11", L"(maximum version 11.0)", {}, -1, {{user, L""}}, L"", None, {}, WM_CLOSE, 0},
        {L"Minimum Version=1.8\r\nMaximum Version=1.8", L"(version between 1.8 and 1.8)", toJre, -1, {{user, L""}}, L"", None,
         {}, WM_KEYDOWN, VK_ESCAPE},
        {L"; comment\r\n[Application]\r\nApplication Type=service\r\nPair Product={app}\\App64.exe\r\n"
         L"Pair Product ARM64={app}\\AppArm.exe\r\n", latest, toJre, 0,
         {{L"{app}\\App.ini", jre + L"\\"}, {L"{app}\\App64.ini", jre + L"\\"}, {L"{app}\\AppArm.ini", jre + L"\\"}, {user, L""}}},
        {toPair + L"Yes\r\n", latest, toOther, 7, users, L"", None, 7},
        {toPair + L"no\r\n", latest, toOther, 0, users, L"", None, 7},
        {toPair + L"Yes\r\n", latest, toOther, -1, users, L"Failed to start the paired product: " + pairExe + L" (errno = 2)."},
        {L"", latest, toJre, 0, {{user, L""}}, failed + user + L" (errno = 5).", ReadOnly},
        {L"", latest, toJre, 0, {{user, L""}}, failed + user + L" (errno = 32).", Locked},
        {L"", latest, toJre, 0, {{lost, L""}}, failed + lost + L" (errno = 3).", NoFolder},
        {L"", latest, toJre, 0, {{user, jre + L"\\"}}, L"", NoAppData},
        {L"", latest, toJre, 0, {{user, jre + L"\\"}}, L"", DriveAppData},
        {toPair + L"no\r\n", latest, toOther, 0, {{user, L""}}, failed + L"%APPDATA%\\Tarn Test\\{42}\\App.ini (errno = 3).",
         NoRoaming, 7},
        {L"", latest, {{unstorable, true}}, 0, {{user, L""}}, failed + user + L" (errno = 1113).", Unstorable},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        ForgetChoices();  // nothing remembered by an earlier row
        std::optional<RecordingPair> pair;
        if (row.pairExit) pair.emplace(pairExe, *row.pairExit);
        else DeleteFileW(pairExe.c_str());
        Scenario scenario = Machine(row.settings);
        scenario.files = {{L"{app}\\App64.ini", Utf16Bytes(L"; pair\r\n[Java Runtime Environment]\r\nJRE Path=C:\\old\r\nA=1\r\n")},
                          {user, Utf16Bytes(L"[Java Runtime Environment]\r\n; note\r\nJRE Path=C:\\gone\r\n[Mine]\r\nKey=1\r\n")}};
        if (pair) std::ranges::copy(pair->Environment(), std::back_inserter(scenario.environment));
        if (row.fault == NoFolder) scenario.environment.emplace_back(L"APPDATA", L"{app}\\missing\\roaming");
        if (row.fault == NoAppData || row.fault == NoRoaming) scenario.environment.emplace_back(L"APPDATA", L"");
        if (row.fault == DriveAppData) scenario.environment.emplace_back(L"APPDATA", L"C:");
        std::optional<NoRoamingFolder> roaming;
        if (row.fault == NoRoaming) roaming.emplace();
        if (row.fault == Unstorable) {
            scenario.files[1].second = "[Java Runtime Environment]\r\nJRE Path=C:\\gone\r\n";
            scenario.runtimes.push_back({unstorable, {}});
        }
        Launch launch(scenario);
        const auto bytes = [&](const WString& file) {
            const WString path = launch.Expand(file);
            return FileExists(path) ? std::optional(ReadBytes(path)) : std::nullopt;
        };
        std::vector<std::optional<std::string>> before;
        for (const auto& [file, jrePath] : row.expect) before.push_back(bytes(file));
        const WString first = launch.Expand(row.expect[0].first);
        if (row.fault == ReadOnly) SetFileAttributesW(first.c_str(), FILE_ATTRIBUTE_READONLY);
        HandleHolder lock(row.fault == Locked ? CreateFileW(first.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                              : nullptr);
        DialogSession session(launch, L"-nosplash \"two words\"");
        ASSERT_NE(session.Dialog(), nullptr);
        EXPECT_EQ(ControlText(session.Dialog(), 203), start + row.text + L" from:");
        EXPECT_EQ(ControlText(session.Dialog(), 205), L"https://adoptium.net/");
        EXPECT_FALSE(session.OkEnabled());
        for (const auto& [folder, okEnabled] : row.steps) {
            EXPECT_EQ(session.Browse(folder), okEnabled) << ToUtf8(folder);
            // Enter must not end the dialog while OK is disabled: the next Browse finds it open.
            if (!okEnabled) PostMessageW(session.Dialog(), WM_KEYDOWN, VK_RETURN, 0);
        }
        const Outcome outcome = session.Finish(row.close, row.closeParam);
        ExpectEnd(outcome, row.exitCode, launch.Expand(row.message));
        const bool paired = row.settings.starts_with(toPair), goesOn = !paired && row.exitCode == 0;
        EXPECT_EQ(outcome.out, goesOn ? WStringList{L"started"} : WStringList{});
        const WStringList started = {L"\"" + launch.ExePath() + L"\" -nosplash \"two words\""};
        EXPECT_TRUE(!pair || AwaitCondition([&] { return pair->Starts() == started; }));
        lock.reset();
        SetFileAttributesW(first.c_str(), FILE_ATTRIBUTE_NORMAL);
        for (size_t i = 0; i < row.expect.size(); ++i) {
            const auto& [file, jrePath] = row.expect[i];
            if (jrePath.empty()) {
                EXPECT_EQ(bytes(file), before[i]) << ToUtf8(file);
                continue;
            }
            EXPECT_EQ(JrePathIn(launch.Expand(file)), launch.Expand(jrePath)) << ToUtf8(file);
            if (before[i]) {
                EXPECT_EQ(OtherLines(*bytes(file)), OtherLines(*before[i])) << ToUtf8(file);
            }
        }
        if (goesOn && !row.expect[0].second.empty()) ExpectEnd(launch.Run(), 0);  // the next start asks no more
    }
    ForgetChoices();
}

const wchar_t kColorKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// Browser link colours for the test's user, removed again at the end.
struct LinkColors {
    LinkColors(const WString& link, const WString& visited) {
        for (const auto& [name, value] : {std::pair(L"Anchor Color", link), std::pair(L"Anchor Color Visited", visited)})
            RegSetKeyValueW(HKEY_CURRENT_USER, kColorKey, name, REG_SZ, value.c_str(),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    ~LinkColors() { RegDeleteTreeW(HKEY_CURRENT_USER, kColorKey); }
};

// Where the control shows this colour on the screen: the bounding box in client coordinates.
std::optional<RECT> Painted(HWND control, COLORREF color) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{}, box{LONG_MAX, LONG_MAX, -1, -1};
    POINT origin{};
    GetClientRect(control, &client);
    ClientToScreen(control, &origin);
    const HDC screen = GetDC(nullptr);
    for (LONG y = 0; y < client.bottom; ++y) {
        for (LONG x = 0; x < client.right; ++x) {
            if (GetPixel(screen, origin.x + x, origin.y + y) != color) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
        }
    }
    ReleaseDC(nullptr, screen);
    return box.right < 0 ? std::nullopt : std::optional(box);
}

void Click(HWND control, POINT down, POINT up) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y), 0, 5000, &ignored);
    SendMessageTimeoutW(control, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y), 0, 5000, &ignored);
}

TEST(JreNotFound, LinkColoursComeFromTheBrowserSettingsAndOnlyTheTextOpensTheLink) {
    struct Row {
        WString link, visited;
        COLORREF before, after;
        bool byKeyboard;
    } rows[] = {{L"255,0,0", L"300,0,0", RGB(255, 0, 0), RGB(44, 0, 0), false},
                // malformed and too long: the defaults
                {L"1,2", L"100,200,2500", RGB(0, 0, 255), RGB(128, 0, 128), true}};
    for (const Row& row : rows) {
        LinkColors colors(row.link, row.visited);
        Launch launch(Machine(L""));
        DialogSession session(launch);
        const HWND link = GetDlgItem(session.Dialog(), 205);
        // Test programs share the display: a corner of its own, on top, keeps other windows off the link.
        SetWindowPos(session.Dialog(), HWND_TOPMOST, 900, 700, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        std::optional<RECT> text;
        ASSERT_TRUE(AwaitCondition([&] { return (text = Painted(link, row.before)).has_value(); }));
        RECT client{};
        GetClientRect(link, &client);
        ASSERT_LT(text->right + 2, client.right) << "no room beside the text";
        const POINT inside{(text->left + text->right) / 2, (text->top + text->bottom) / 2};
        Click(link, {text->right + 2, inside.y}, {text->right + 2, inside.y});
        Click(link, inside, {client.right + 20, inside.y});
        EXPECT_TRUE(Painted(link, row.before)) << "opened although not clicked on the text";
        EXPECT_FALSE(Painted(link, row.after));
        if (row.byKeyboard) SendMessageTimeoutW(link, WM_CHAR, VK_SPACE, 0, 0, 5000, nullptr);
        else Click(link, inside, inside);
        EXPECT_TRUE(AwaitCondition([&] { return Painted(link, row.after).has_value(); }));
        ExpectEnd(session.Finish(WM_COMMAND, IDCANCEL), -1);
    }
}

}  // namespace
}  // namespace tarn
