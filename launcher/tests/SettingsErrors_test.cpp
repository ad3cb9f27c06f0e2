// What a user sees when the settings do not name a main class.
#include <gtest/gtest.h>

#include "tests/kit/AppFolder.h"

namespace tarn::test {
namespace {

const WString kMissingMainClass = L"Main class was not specified in INI file.";

TEST(SettingsErrors, MissingSettingsFileShowsMessage210AndExitsWithMinusOne) {
    AppFolder app(L"Start.exe");
    const RunResult result = app.Run();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.ExitCode(), -1);
    EXPECT_EQ(result.DialogTexts(), WStringList{kMissingMainClass});
}

TEST(SettingsErrors, EmptyMainClassShowsMessage210) {
    AppFolder app(L"Start.exe");
    app.WriteIni(L"[Java Runtime Environment]\r\nMain Class=\r\nMinimum Version=1.8\r\n");
    const RunResult result = app.Run();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.ExitCode(), -1);
    EXPECT_EQ(result.DialogTexts(), WStringList{kMissingMainClass});
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
