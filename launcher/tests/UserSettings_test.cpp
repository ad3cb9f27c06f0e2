// Where the per-user settings of a product lie (the remembered JRE Path, and the write-back to come).
#include <gtest/gtest.h>
#include <windows.h>

#include "base/Environment.h"
#include "launcher/Settings.h"
#include "launcher/UserSettings.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

using test::TempFolder;

TEST(UserSettingsPath, FollowsTheProductNameCodeAndProgramName) {
    TempFolder appData(L"appdata");
    // APPDATA is this folder while the test runs, and put back whatever happens.
    struct Restore {
        WString saved = GetEnvironment(L"APPDATA");
        ~Restore() { SetEnvironmentVariableW(L"APPDATA", saved.c_str()); }
    } restore;
    SetEnvironmentVariableW(L"APPDATA", appData.Path().c_str());
    Launcher launcher;
    launcher.productName = L"My: App?\\|<>\"/*x";
    launcher.productCode = L"{1234}";
    EXPECT_EQ(BuildUserSettingsPath(launcher, L"C:\\Apps\\Start.exe", true), appData.Path() + L"\\My Appx\\{1234}\\Start.ini");
    EXPECT_TRUE(test::FileExists(appData.Path() + L"\\My Appx\\{1234}"));
    EXPECT_EQ(BuildUserSettingsPath(launcher, L"Start", false), appData.Path() + L"\\My Appx\\{1234}\\Start.ini");
    EXPECT_EQ(BuildUserSettingsPath(launcher, L"C:\\a.b.exe", false), appData.Path() + L"\\My Appx\\{1234}\\a.b.ini");

    launcher.pairProduct = L"C:\\Apps\\x64\\Start64.exe";
    EXPECT_EQ(PairUserSettingsPath(launcher), appData.Path() + L"\\My Appx\\{1234}\\Start64.ini");
    WString pairSettings;
    EXPECT_TRUE(PairSettingsPath(launcher, pairSettings));
    EXPECT_EQ(pairSettings, L"C:\\Apps\\x64\\Start64.ini");

    launcher.productCode.clear();
    EXPECT_EQ(BuildUserSettingsPath(launcher, L"C:\\Apps\\Start.exe", true), appData.Path() + L"\\My Appx\\\\Start.ini");
    launcher.pairProduct = L"C:\\Apps\\noextension";
    EXPECT_FALSE(PairSettingsPath(launcher, pairSettings));
}

}  // namespace
}  // namespace tarn
