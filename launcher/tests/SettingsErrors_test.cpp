// What a user sees when the settings name no main class, or cannot be read at all.
#include <gtest/gtest.h>

#include <functional>

#include "base/Handles.h"
#include "tests/kit/AppFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

const WString kMissingMainClass = L"Main class was not specified in INI file.";

// The system's own sentence for an error code, as the platform gives it, without its final period.
WString SystemText(DWORD code) {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512, nullptr);
    while (length > 0 && wcschr(L". \r\n", text[length - 1]) != nullptr) --length;
    return WString(text, length);
}

WString Unreadable(const AppFolder& app, DWORD code) {
    return L"Failed to read the settings file " + app.IniPath() + L": " + SystemText(code) + L" (errno = " +
           std::to_wstring(code) + L").\n";
}

struct Row {
    const char* what;
    std::function<void(AppFolder&, HandleHolder& lock)> prepare;
    std::function<WString(const AppFolder&)> message;
};

TEST(SettingsErrors, EachReasonForNoMainClassIsNamedInItsBoxAndExitsWithMinusOne) {
    const Row rows[] = {
        {"readable, empty main class", [](AppFolder& app, HandleHolder&) {
             app.WriteIni(L"[Java Runtime Environment]\r\nMain Class=\r\nMinimum Version=1.8\r\n"); },
         [](const AppFolder&) { return kMissingMainClass; }},
        {"missing file", [](AppFolder&, HandleHolder&) {}, [](const AppFolder& app) { return Unreadable(app, ERROR_FILE_NOT_FOUND); }},
        {"a folder named like it", [](AppFolder& app, HandleHolder&) { CreateDirectoryW(app.IniPath().c_str(), nullptr); },
         [](const AppFolder& app) { return Unreadable(app, ERROR_ACCESS_DENIED); }},
        {"locked by another process", [](AppFolder& app, HandleHolder& lock) {
             app.WriteIni(L"[Java Runtime Environment]\r\nMain Class=app.Main\r\n");
             lock.reset(CreateFileW(app.IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)); },
         [](const AppFolder& app) { return Unreadable(app, ERROR_SHARING_VIOLATION); }},
        {"UTF-16 without byte-order mark", [](AppFolder& app, HandleHolder&) {
             const std::string text = "[Java Runtime Environment]\r\nMain Class=app.Main\r\n";
             std::string bytes;
             for (char ch : text) bytes += std::string{ch, '\0'};
             WriteBytes(app.IniPath(), bytes); },
         [](const AppFolder& app) {
             return L"The settings file " + app.IniPath() + L" is UTF-16 text without a byte-order mark. Save it as "
                    L"\"Unicode\" (UTF-16 LE with byte-order mark).\n"; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        AppFolder app(L"Start.exe");
        HandleHolder lock;
        row.prepare(app, lock);
        const RunResult result = app.Run();
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.ExitCode(), -1);
        EXPECT_EQ(result.DialogTexts(), WStringList{row.message(app)});
    }
}

TEST(SettingsErrors, SettingsNamingAMainClassEndSilentlyWithoutARuntime) {
    AppFolder app(L"Start.exe");
    app.WriteIni(L"[Java Runtime Environment]\r\nMain Class=com.example.Main\r\nJRE Path=C:\\nowhere\r\n");
    RunOptions noJavaHome;
    noJavaHome.environment = {{L"JAVA_HOME", L""}};
    const RunResult result = app.Run(L"", noJavaHome);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.ExitCode(), -1);
    EXPECT_TRUE(result.DialogTexts().empty());
}

}  // namespace
}  // namespace tarn::test
