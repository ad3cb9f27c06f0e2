// Products in folders whose names the ANSI code page (1252 here) cannot hold: every path the
// launcher puts into an option reaches the VM in a form it decodes, or the user is told why not.
#include <gtest/gtest.h>

#include <algorithm>

#include "launcher/SettingsStore.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"

namespace tarn::test {
namespace {

const WString kTree = L"\U0001F332", kEmoji = L"emoji " + kTree, kFits = L"\u00DCn\u00EFc\u00F6d\u00E9";

TEST(FolderNames, ProductsStartFromFoldersOutsideTheCodePage) {
    const std::pair<WString, bool> rows[] = {{L"\u65E5\u672C app", true}, {L"\u03A9mega", true}, {kFits, false}, {kEmoji, true}};
    for (const auto& [folder, shortened] : rows) {  // shortened: code page 1252 cannot hold the name
        SCOPED_TRACE(ToUtf8(folder));
        Launch launch({.settings = L"[Class Path]\r\nClass Path=lib\\*;classes\r\n[Java Runtime Environment]\r\nMain Class=app.Main\r\n"
                                   L"Library Path={app}\\native\r\nVirtual Machine Parameters=-Dd=%TARN_TEST_DATA%\\new.log\r\n"
                                   L"[Application]\r\nEmbedded Jar=yes\r\n",
                       .classes = {{"app/Main", "method main\n prop java.class.path\n prop java.library.path\n prop d\n args\nend\n"}},
                       .arguments = L"\"" + kTree + L" tree\" plain",
                       .files = {{L"{app}\\lib\\util.jar", ""}, {L"{app}\\lib\\more\\x", ""},
                                 {L"{app}\\native\\x", ""}, {L"{app}\\data\\x", ""}},
                       .environment = {{L"TARN_TEST_DATA", L"{app}\\data"}},
                       .folderName = folder});
        const Outcome o = launch.Run();
        ExpectCleanEnd(o, 0);
        wchar_t buffer[MAX_PATH * 2];  // the platform's short form is the oracle
        auto form = [&](const WString& p) { return shortened && GetShortPathNameW(p.c_str(), buffer, MAX_PATH * 2) ? buffer : p; };
        const WString app = launch.Folder();
        WStringList entries = SplitList(PrintedValue(o, L"java.class.path"), L";");
        ASSERT_EQ(entries.size(), 4u) << o.trace.Text();  // no "lib\." or "lib\.." among the wildcard's matches
        std::sort(entries.begin() + 1, entries.end() - 1);
        EXPECT_EQ(entries, (WStringList{form(launch.ExePath()), form(app + L"\\lib\\more"), form(app + L"\\lib\\util.jar"),
                                        form(app + L"\\classes")}));
        EXPECT_EQ(SplitList(PrintedValue(o, L"java.library.path"), L";").at(0), form(app + L"\\native"));
        EXPECT_EQ(PrintedValue(o, L"d"), form(app + L"\\data") + L"\\new.log");
        EXPECT_EQ(WStringList(o.out.end() - 2, o.out.end()), (WStringList{kTree + L" tree", L"plain"}));
        for (const std::string& option : o.options) EXPECT_EQ(option.find('?'), std::string::npos) << option;
    }
}

// Without short names such a path stops the start before any VM exists, and the message names it.
TEST(FolderNames, WithoutShortNamesTheUserIsToldWhichPathCannotBePassed) {
    const WString rows[][3] = {  // folder, settings, the path named ("": the start succeeds)
        {L"\u65E5\u672C app", AppSettings(), L"{app}\\classes"},
        {L"\u03A9mega", AppSettings(L"Library Path={app}\\native\r\n"), L"{app}\\native"},
        {kEmoji, AppSettings(L"Virtual Machine Parameters=-Dd=%TARN_TEST_DATA%\r\n[Class Path]\r\nClass Path=C:\\k.jar\r\n"),
         L"{app}\\data"},
        {kFits, AppSettings(L"Library Path=C:\\\u03A9-gone;{app}\r\n"), L""},  // a missing folder is left out
    };
    for (const auto& [folder, settings, named] : rows) {
        SCOPED_TRACE(ToUtf8(folder));
        Launch launch({.settings = settings, .classes = {{"app/Main", "method main\nend\n"}},
                       .files = {{L"{app}\\native\\x", ""}, {L"{app}\\data\\x", ""}},
                       .environment = {{L"TARN_TEST_DATA", L"{app}\\data"}},
                       .folderName = folder, .launcher = BuildDir() + L"\\vm\\tarn_no_short_names.exe"});
        const Outcome o = launch.Run();
        if (named.empty()) {
            ExpectCleanEnd(o, 0);
            EXPECT_EQ(o.options.at(0).rfind(ToUtf8(L"-Djava.library.path=" + launch.Folder() + L";"), 0), 0u);
            continue;
        }
        EXPECT_EQ(o.exitCode, -1);
        EXPECT_TRUE(o.options.empty()) << o.trace.Text();
        ASSERT_EQ(o.dialogs.size(), 1u);
        EXPECT_EQ(o.dialogs[0].text.rfind(L"The path " + launch.Expand(named) + L" cannot be handed to Java: ", 0), 0u);
    }
}

}  // namespace
}  // namespace tarn::test
