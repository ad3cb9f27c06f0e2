// System.out and System.err into files, through the real launcher. The launcher runs in {app}\work,
// so every relative name must land there, as the Java program's own relative files would.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"
#include "vm/StreamRedirection.h"

namespace tarn::test {
namespace {

const std::string kHelloAndOops = "method main\n out hello\n err oops\nend\n";

std::vector<std::string> Lines(const Launch& l, const WString& file) { return ReadOutputLines(l.Folder() + L"\\work\\" + file); }

// The files of the product that no stream may ever be sent to, whatever the spelling of its name.
const WString kUserFile = L"{appdata}\\Redirect Test\\{R1}\\App.ini";
const std::vector<WString> kProductFiles = {L"{app}\\App.ini", L"{app}\\App.exe", L"{app}\\App64.ini", kUserFile};

TEST(StreamRedirection, FilesAppendTruncateAndFailures) {
    const WString refused = L"Exception in thread \"main\" java.io.FileNotFoundException: ";
    struct Row {
        const char* what;
        WString application;  // lines of [Application]
        int runs;
        std::vector<std::pair<WString, std::vector<std::string>>> files;  // under {app}\work
        WStringList out;
        WString firstErr;  // what the first line printed to the VM's System.err starts with
        bool console = false;
        WString gone = L"";  // a folder under {app}\work that the run must not leave behind
    } rows[] = {
        {"missing folders are created; output truncated, error appended over two runs",
         L"Output File=logs\\a\\out.txt\r\nError File={app}\\work\\logs\\b\\err.txt\r\nError Append=yes\r\n", 2,
         {{L"logs\\a\\out.txt", {"hello"}}, {L"logs\\b\\err.txt", {"oops", "oops"}}}, {}, L""},
        {"only Error File: System.out stays", L"Error File=err.txt\r\n", 1, {{L"err.txt", {"oops"}}}, {L"hello"}, L""},
        {"a folder of that name: the reason is printed, the program runs", L"Output File=taken\r\n", 1, {},
         {L"hello"}, refused + L"taken"},
        {"a name the system refuses: the folder made for it goes again", L"Output File=made\\bad|name\\out.txt\r\n", 1, {},
         {L"hello"}, refused + L"made\\bad|name\\out.txt", false, L"made"},
        {"the console launcher's settings file, spelt otherwise", L"Output File=..\\.\\APP.ini\r\n", 1, {}, {L"hello"},
         refused + L"..\\.\\APP.ini (", true},
        {"the per-user file, appended to", L"Error File=" + kUserFile + L"\r\nError Append=yes\r\n", 1, {}, {L"hello"},
         refused + kUserFile + L" ("},
        {"the paired product's settings file and the program", L"Output File=..\\App64.ini\r\nError File={app}\\App.exe\r\n",
         1, {}, {L"hello"}, refused + L"..\\App64.ini ("},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Launch launch({.settings = L"[Product Information]\r\nProduct Name=Redirect Test\r\nProduct Code={R1}\r\n" +
                                   AppSettings(L"[Application]\r\nPair Product={app}\\App64.exe\r\n" + row.application),
                       .classes = {{"app/Main", kHelloAndOops}},
                       .files = {{L"{app}\\work\\taken\\keep", ""}, {L"{app}\\App64.ini", Utf16Bytes(L"[Application]\r\n")},
                                 {kUserFile, Utf16Bytes(L"[Java Runtime Environment]\r\n")}},
                       .launcher = row.console ? BuildDir() + L"\\tarnc64.exe" : L"", .workingFolder = L"{app}\\work"});
        std::vector<std::string> before;
        for (const WString& file : kProductFiles) before.push_back(ReadBytes(launch.Expand(file)));
        Outcome o;
        for (int run = 0; run < row.runs; ++run) ExpectCleanEnd(o = launch.Run(), 0);
        for (const auto& [file, lines] : row.files) EXPECT_EQ(Lines(launch, file), lines) << ToUtf8(file);
        EXPECT_TRUE(row.gone.empty() || !FileExists(launch.Folder() + L"\\work\\" + row.gone));
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_TRUE(ReadBytes(launch.Expand(kProductFiles[i])) == before[i]) << ToUtf8(kProductFiles[i]) << " changed";
        EXPECT_EQ(o.out, row.out);
        if (row.firstErr.empty()) {
            EXPECT_EQ(o.err, WStringList{}) << o.trace.Text();
        } else {
            ASSERT_FALSE(o.err.empty());
            EXPECT_EQ(o.err.front().rfind(launch.Expand(row.firstErr), 0), 0u) << ToUtf8(o.err.front());
            EXPECT_EQ(o.err.back(), L"oops");
        }
    }
}

// The one name in a folder, empty unless there is exactly one.
WString OnlyFileIn(const WString& folder) {
    std::error_code ignored;
    WStringList names;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) names.push_back(entry.path().filename());
    return names.size() == 1 ? names[0] : L"";
}

TEST(StreamRedirection, PatternsGiveBothFilesTheSameMomentBeforeTheProgramLoads) {
    // The error name holds two patterns, which are one: "%-x-%" is text inside it.
    Launch launch({.settings = AppSettings(L"[Application]\r\nOutput File=o\\out_%yyyyMMdd-HHmmss-L%.txt\r\n"
                                           L"Error File=e\\err_%yyyyMMdd%-x-%HHmmss-L%.txt\r\n"),
                   .classes = {{"app/Main", kHelloAndOops}},
                   .files = {{L"{app}\\work\\keep", ""}}, .workingFolder = L"{app}\\work"});
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const Outcome o = launch.Run();
    ExpectCleanEnd(o, 0);
    const WString out = OnlyFileIn(launch.Folder() + L"\\work\\o");
    const WString err = OnlyFileIn(launch.Folder() + L"\\work\\e");
    ASSERT_EQ(out.rfind(L"out_" + std::to_wstring(now.wYear), 0), 0u) << ToUtf8(out);
    const WString stamp = out.substr(4);  // yyyyMMdd-HHmmss-L.txt
    ASSERT_EQ(err.size(), 4 + stamp.size() + 4) << ToUtf8(err);
    EXPECT_EQ(err, L"err_" + stamp.substr(0, 8) + L"%-x-%" + stamp.substr(9));
    EXPECT_EQ(Lines(launch, L"o\\" + out), std::vector<std::string>{"hello"});
    EXPECT_EQ(Lines(launch, L"e\\" + err), std::vector<std::string>{"oops"});
    EXPECT_LT(o.trace.Find("System.setErr"), o.trace.Find("LoadClass", "app/Main")) << o.trace.Text();
}

// File names with a date and time pattern (one from the first "%" to the last, as the test above
// shows), expanded for 5 December 2026 11:14:06.042; expected texts as the platform's own
// GetTimeFormatW and GetDateFormatW give them.
TEST(ExpandDateTimePattern, TimeThenDatePictures) {
    const SYSTEMTIME moment{2026, 12, 6, 5, 11, 14, 6, 42};
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"out_%yyyyMMdd_HHmmss%.log", L"out_20261205_111406.log"},
        {L"log_%HH.mm.ss.L%", L"log_11.14.06.42"},
        {L"C:\\logs\\%'quoted' HH%.txt", L"C:\\logs\\quote5 11.txt"},  // quotes are spent by the time pass
        {L"x%y", L"xy"},  // a single "%": an empty pattern
    };
    for (const auto& [name, expected] : cases) {
        WString expanded = name;
        ExpandDateTimePattern(expanded, moment);
        EXPECT_EQ(expanded, expected) << name;
    }
}

}  // namespace
}  // namespace tarn::test
