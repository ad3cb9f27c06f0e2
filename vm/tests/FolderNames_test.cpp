// Products installed in folders whose names the ANSI code page (1252 here) cannot hold: every path
// the launcher puts into an option reaches the VM in a form it decodes, or the user is told why not.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "launcher/SettingsStore.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

const WString kTree = L"\U0001F332";

// The platform's short form, the oracle for what the VM must receive.
WString ShortForm(const WString& path) {
    wchar_t buffer[MAX_PATH * 2] = {};
    EXPECT_GT(GetShortPathNameW(path.c_str(), buffer, MAX_PATH * 2), 0u) << ToUtf8(path);
    return buffer;
}

TEST(FolderNames, ProductsStartFromFoldersOutsideTheCodePage) {
    const struct {
        WString folder;
        bool shortened;  // false: code page 1252 holds the name
    } rows[] = {{L"\u65E5\u672C app", true}, {L"\u03A9mega", true}, {L"\u00DCn\u00EFc\u00F6d\u00E9", false},
                {L"emoji " + kTree, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(ToUtf8(row.folder));
        Launch launch({.settings = L"[Class Path]\r\nClass Path=lib\\*\r\n[Java Runtime Environment]\r\n"
                                   L"Main Class=app.Main\r\nLibrary Path={app}\\native\r\n"
                                   L"Virtual Machine Parameters=-Ddata=%TARN_TEST_DATA%\\new.log\r\n"
                                   L"[Application]\r\nEmbedded Jar=yes\r\n",
                       .arguments = L"\"" + kTree + L" tree\" plain",
                       .files = {{L"{app}\\lib\\util.jar", JarBytes({})}, {L"{app}\\lib\\more\\x", ""},
                                 {L"{app}\\native\\x", ""}, {L"{app}\\data\\x", ""}},
                       .environment = {{L"TARN_TEST_DATA", L"{app}\\data"}},
                       .folderName = row.folder});
        AppendJarToExecutable(launch.ExePath(), {ClassEntry("app/Main", "method main\n prop java.class.path\n"
                                                                        " prop java.library.path\n prop data\n args\nend\n")});
        const Outcome o = launch.Run();
        ExpectCleanEnd(o, 0);
        auto form = [&](const WString& path) { return row.shortened ? ShortForm(path) : path; };
        const WString app = launch.Folder();
        WStringList entries = SplitList(PrintedValue(o, L"java.class.path"), L";");
        ASSERT_EQ(entries.size(), 3u) << o.trace.Text();  // no "lib\." and "lib\.." among the wildcard's matches
        EXPECT_EQ(entries[0], form(launch.ExePath()));
        std::sort(entries.begin() + 1, entries.end());
        EXPECT_EQ(WStringList(entries.begin() + 1, entries.end()),
                  (WStringList{form(app + L"\\lib\\more"), form(app + L"\\lib\\util.jar")}));
        EXPECT_EQ(SplitList(PrintedValue(o, L"java.library.path"), L";").at(0), form(app + L"\\native"));
        EXPECT_EQ(PrintedValue(o, L"data"), form(app + L"\\data") + L"\\new.log");
        EXPECT_EQ(WStringList(o.out.end() - 2, o.out.end()), (WStringList{kTree + L" tree", L"plain"}));
        for (const std::string& option : o.options) EXPECT_EQ(option.find('?'), std::string::npos) << option;
    }
}

// Without short names a path the code page cannot hold stops the start before any VM exists.
TEST(FolderNames, WithoutShortNamesTheUserIsToldWhichPathCannotBePassed) {
    const struct {
        const char* what;
        WString folder, settings, failing;  // failing: the path named, {app} expanded; empty: the start succeeds
    } rows[] = {
        {"a class path entry", L"\u65E5\u672C app", AppSettings(), L"{app}\\classes"},
        {"a library path piece", L"\u03A9mega", AppSettings(L"Library Path={app}\\native\r\n"), L"{app}\\native"},
        {"a reference in a VM parameter", L"emoji " + kTree, AppSettings(L"Virtual Machine Parameters=-Dd=%TARN_TEST_DATA%\r\n"
                                                  L"[Class Path]\r\nClass Path=C:\\kept.jar\r\n"),
         L"{app}\\data"},
        {"a name the code page holds", L"\u00DCn\u00EFc\u00F6d\u00E9", AppSettings(), L""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Launch launch({.settings = row.settings,
                       .classes = {{"app/Main", "method main\nend\n"}},
                       .files = {{L"{app}\\native\\x", ""}, {L"{app}\\data\\x", ""}},
                       .environment = {{L"TARN_TEST_DATA", L"{app}\\data"}},
                       .folderName = row.folder,
                       .launcher = BuildDir() + L"\\vm\\tarn_no_short_names.exe"});
        const Outcome o = launch.Run();
        if (row.failing.empty()) {
            ExpectCleanEnd(o, 0);
            continue;
        }
        EXPECT_EQ(o.exitCode, -1);
        EXPECT_TRUE(o.options.empty()) << o.trace.Text();
        EXPECT_EQ(o.DialogTexts(),
                  WStringList{L"The path " + launch.Expand(row.failing) +
                              L" cannot be handed to Java: its name holds characters that the system's code page cannot "
                              L"represent, and the drive gives it no short (8.3) name. Install the application in a "
                              L"folder whose name uses only such characters, or ask the administrator to turn on short "
                              L"names for that drive.\n"});
    }
}

}  // namespace
}  // namespace tarn::test
