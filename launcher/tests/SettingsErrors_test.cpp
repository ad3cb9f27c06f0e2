// What a user sees when the settings do not name a main class, or cannot be read at all.
#include <gtest/gtest.h>

#include "base/Handles.h"
#include "tests/kit/Scenario.h"

namespace tarn::test {
namespace {

// The platform's own sentence for an error code, without its final period.
WString SystemText(DWORD code) {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512, nullptr);
    while (length > 0 && wcschr(L". \r\n", text[length - 1]) != nullptr) --length;
    return WString(text, length);
}

TEST(SettingsErrors, NoMainClassShowsItsMessageOrWhyTheFileCannotBeReadAndEndsWithMinusOne) {
    const std::string noByteOrderMark = Utf16Bytes(L"[Java Runtime Environment]\r\nMain Class=app.Main\r\n").substr(2);
    struct Row {
        const char* what;
        WString settings;
        std::vector<std::pair<WString, std::string>> files;
        DWORD error = 0;       // why the file cannot be read (locked by the test: ERROR_SHARING_VIOLATION)
        WString message = {};  // else the message
    } rows[] = {
        {"an empty Main Class", L"[Java Runtime Environment]\r\nMain Class=\r\n", {}, 0, L"Main class was not specified in INI file."},
        {"no settings file", L"", {}, ERROR_FILE_NOT_FOUND},
        {"a folder named like it", L"", {{L"{app}\\App.ini\\x", ""}}, ERROR_ACCESS_DENIED},
        {"locked by another process", AppSettings(), {}, ERROR_SHARING_VIOLATION},
        {"UTF-16 without byte-order mark", L"", {{L"{app}\\App.ini", noByteOrderMark}}, 0, L"The settings file {app}\\App.ini "
         L"is UTF-16 text without a byte-order mark. Save it as \"Unicode\" (UTF-16 LE with byte-order mark).\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Launch launch({.settings = row.settings, .files = row.files});
        const WString ini = launch.Expand(L"{app}\\App.ini");
        HandleHolder lock(row.error == ERROR_SHARING_VIOLATION ? CreateFileW(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr);
        const Outcome o = launch.Run();
        EXPECT_TRUE(o.finished);
        EXPECT_EQ(o.exitCode, -1);
        EXPECT_EQ(o.DialogTexts(), WStringList{row.error == 0 ? launch.Expand(row.message) : L"Failed to read the settings file " +
            ini + L": " + SystemText(row.error) + L" (errno = " + std::to_wstring(row.error) + L").\n"});
    }
}

}  // namespace
}  // namespace tarn::test
