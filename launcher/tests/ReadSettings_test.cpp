// Every settings key read into the launcher, with its comparison rule, from real INI files.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/Environment.h"
#include "base/PathText.h"
#include "launcher/Settings.h"
#include "launcher/UserSettings.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

using test::TempFolder;

class ReadSettingsTest : public testing::Test {
protected:
    // Reads a settings text that names a main class, so that every other key is reached.
    bool Read(const WString& text, Launcher& launcher) {
        test::WriteUtf16File(iniPath, L"[Java Runtime Environment]\r\nMain Class=app.Main\r\n" + text);
        return ReadSettingsFile(launcher, iniPath);
    }
    WString ModuleFolder() const {
        wchar_t module[MAX_PATH];
        GetModuleFileNameW(nullptr, module, MAX_PATH);
        return StripPathComponents(module, 1);
    }
    TempFolder temp;
    WString iniPath = temp.Path() + L"\\Start.ini";
};

TEST_F(ReadSettingsTest, DefaultsWhenOnlyTheMainClassIsGiven) {
    Launcher launcher;
    ASSERT_TRUE(Read(L"", launcher));
    EXPECT_EQ(launcher.mainClass, L"app/Main");
    EXPECT_EQ(launcher.jvmType, kClientFirst);
    EXPECT_TRUE(launcher.jdkWanted && launcher.jreWanted && launcher.mixedSources);
    EXPECT_TRUE(launcher.sunAllowed && launcher.sunFav);
    EXPECT_FALSE(launcher.jrockitAllowed || launcher.jrockitFav || launcher.ibmAllowed || launcher.ibmFav);
    EXPECT_FALSE(launcher.isService || launcher.failureCheck || launcher.overrideWorkingDir || launcher.pairReturnCode);
    EXPECT_EQ(launcher.minVersion.parts, (std::array<int32_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(launcher.maxVersion.parts, AnyMaximum().parts);  // no maximum given: no upper bound
    EXPECT_TRUE(launcher.preferredVersions.empty());
    EXPECT_EQ(launcher.jrePath, ModuleFolder() + L"\\");  // an empty JRE Path names the launcher's folder
}

TEST_F(ReadSettingsTest, ValuesAndTheirExactComparisons) {
    Launcher launcher;
    ASSERT_TRUE(Read(L"Minimum Version=1.6\r\nMaximum Version=11.0.2\r\nPreferred versions=1.8;;11;\r\n"
                     L"JVM Type=favor_server\r\nSystem Path=C:\\Tools\r\nLibrary Path=C:\\lib\r\n"
                     L"[Application]\r\nApplication Type=service\r\nFailure Check=yes\r\n"
                     L"Override WorkingDir=YES\r\nPair Product=C:\\x64\\Start64.exe\r\nPair Return Code=yES\r\n"
                     L"[Product Information]\r\nProduct Name=My: App?\r\nProduct Code={1234}\r\nUpgrade Code=U-1\r\n",
                     launcher));
    EXPECT_EQ(launcher.minVersion.parts, (std::array<int32_t, 4>{1, 6, 0, 0}));
    EXPECT_EQ(launcher.maxVersion.parts, (std::array<int32_t, 4>{11, 0, 2, 65535}));
    EXPECT_EQ(launcher.preferredVersions, (WStringList{L"1.8", L"", L"11"}));
    EXPECT_EQ(launcher.jvmType, kServerFirst);
    EXPECT_TRUE(launcher.isService && launcher.failureCheck && launcher.overrideWorkingDir && launcher.pairReturnCode);
    EXPECT_EQ(launcher.systemPath, L"C:\\Tools");
    EXPECT_EQ(launcher.libraryPath, L"C:\\lib");
    EXPECT_EQ(launcher.pairProduct, L"C:\\x64\\Start64.exe");
    EXPECT_EQ(launcher.productName, L"My: App?");
    EXPECT_EQ(launcher.productCode, L"{1234}");
    EXPECT_EQ(launcher.upgradeCode, L"U-1");

    Launcher exact;
    ASSERT_TRUE(Read(L"Minimum Version=Any\r\nMaximum Version=any\r\nJVM Type=Server\r\n"
                     L"[Application]\r\nApplication Type=Service\r\nSingle Instance=Yes\r\n",
                     exact));
    EXPECT_EQ(exact.minVersion.parts, (std::array<int32_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(exact.maxVersion.parts, AnyMaximum().parts);
    EXPECT_EQ(exact.jvmType, kClientFirst);
    EXPECT_FALSE(exact.isService);
}

TEST_F(ReadSettingsTest, JvmSourceSetsTheKindFilter) {
    struct Case {
        WString value;
        bool jdk, jre, mixed;
    } cases[] = {
        {L"favor_JRE", false, true, true}, {L"favor_JDK", true, false, true}, {L"only_JRE", false, true, false},
        {L"only_JDK", true, false, false}, {L"Favor_JRE", false, false, false}, {L"anything", false, false, false},
    };
    for (const auto& c : cases) {
        Launcher launcher;
        ASSERT_TRUE(Read(L"JVM Source=" + c.value + L"\r\n", launcher));
        EXPECT_EQ(std::make_tuple(launcher.jdkWanted, launcher.jreWanted, launcher.mixedSources),
                  std::make_tuple(c.jdk, c.jre, c.mixed))
            << std::string(c.value.begin(), c.value.end());
    }
}

TEST_F(ReadSettingsTest, VmProviderSetsVendorsWithoutRegardToCase) {
    struct Case {
        WString value;
        std::array<bool, 6> flags;  // jrockit allowed/fav, sun allowed/fav, ibm allowed/fav
    } cases[] = {
        {L"jrockit", {true, true, false, false, false, false}},  {L"IBM", {false, false, false, false, true, true}},
        {L"favor_sun", {true, false, true, true, true, false}},  {L"Favor_JRockit", {true, true, true, false, true, false}},
        {L"favor_ibm", {true, false, true, false, true, true}},  {L"ANY", {true, false, true, false, true, false}},
        {L"sun", {false, false, true, true, false, false}},
    };
    for (const auto& c : cases) {
        Launcher l;
        ASSERT_TRUE(Read(L"VM Provider=" + c.value + L"\r\n", l));
        const std::array<bool, 6> flags = {l.jrockitAllowed, l.jrockitFav, l.sunAllowed, l.sunFav, l.ibmAllowed, l.ibmFav};
        EXPECT_EQ(flags, c.flags) << std::string(c.value.begin(), c.value.end());
    }
}

TEST_F(ReadSettingsTest, JrePathIsMadeAbsoluteAgainstTheLauncherFolder) {
    const std::pair<WString, WString> cases[] = {
        {L"jre", ModuleFolder() + L"\\jre"},
        {L"j", ModuleFolder() + L"\\j"},
        {L"C:\\Java", L"C:\\Java"},
        {L"\\\\server\\java", L"\\\\server\\java"},
    };
    for (const auto& [value, expected] : cases) {
        Launcher launcher;
        ASSERT_TRUE(Read(L"JRE Path=" + value + L"\r\n", launcher));
        EXPECT_EQ(launcher.jrePath, expected);
    }
}

TEST_F(ReadSettingsTest, RememberedJrePathWinsForDesktopProgramsOnly) {
    TempFolder appData(L"appdata");
    const WString saved = GetEnvironment(L"APPDATA");
    SetEnvironmentVariableW(L"APPDATA", appData.Path().c_str());
    const WString product = L"[Product Information]\r\nProduct Name=My: App?\r\nProduct Code={1234}\r\n";
    Launcher probe;
    probe.productName = L"My: App?";
    probe.productCode = L"{1234}";
    const WString userFile = UserSettingsPath(probe, true);
    test::WriteUtf16File(userFile, L"[Java Runtime Environment]\r\nJRE Path=C:\\Remembered\r\n");

    Launcher desktop;
    ASSERT_TRUE(Read(L"JRE Path=C:\\Configured\r\n" + product, desktop));
    EXPECT_EQ(desktop.jrePath, L"C:\\Remembered");

    Launcher service;
    ASSERT_TRUE(Read(L"JRE Path=C:\\Configured\r\n" + product + L"[Application]\r\nApplication Type=service\r\n", service));
    EXPECT_EQ(service.jrePath, L"C:\\Configured");

    // An empty value in the per-user file is not replaced by the settings file's value.
    test::WriteUtf16File(userFile, L"[Java Runtime Environment]\r\nJRE Path=\r\n");
    Launcher emptyRemembered;
    ASSERT_TRUE(Read(L"JRE Path=C:\\Configured\r\n" + product, emptyRemembered));
    EXPECT_EQ(emptyRemembered.jrePath, ModuleFolder() + L"\\");
    SetEnvironmentVariableW(L"APPDATA", saved.c_str());
}

TEST_F(ReadSettingsTest, LongValuesAreReadWhole) {
    Launcher launcher;
    const WString longPath = L"C:\\" + WString(300, L'p');
    ASSERT_TRUE(Read(L"Library Path=" + longPath + L"\r\n", launcher));
    EXPECT_EQ(launcher.libraryPath, longPath);
}

TEST(UserSettingsPath, FollowsTheProductNameCodeAndProgramName) {
    TempFolder appData(L"appdata");
    const WString saved = GetEnvironment(L"APPDATA");
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
    SetEnvironmentVariableW(L"APPDATA", saved.c_str());
}

}  // namespace
}  // namespace tarn
