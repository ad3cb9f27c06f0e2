// The class path the VM receives, built from real folders and jars beside the launcher.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/kit/TextFiles.h"
#include "vm/tests/LaunchKit.h"

namespace tarn::test {
namespace {

const WString kNoClassPath = L"Java Class Path was not specified in INI file.";

WStringList SystemOrder(const WString& folder, const WString& pattern) {
    WStringList paths;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return paths;
    do paths.push_back(folder + L"\\" + data.cFileName);
    while (FindNextFileW(search, &data));
    FindClose(search);
    return paths;
}

TEST(ClassPathLaunch, EmbeddedJarFirstThenWildcardsRelativeAndAbsoluteEntries) {
    LaunchApp app;
    // The main class lives in the executable itself; the jars only hold a marker class.
    AppendJarToExecutable(app.ExePath(), {ClassEntry("app/Main", "method main\n  prop java.class.path\nend\n")});
    for (const wchar_t* name : {L"lib\\zeta.jar", L"lib\\alpha.jar", L"lib\\mid.jar"}) {
        WriteJar(app.File(name), {ClassEntry("lib/Marker", "method main\nend\n")});
    }
    WriteBytes(app.File(L"lib\\notes.txt"), "not a jar");
    CreateDirectoryW(app.File(L"classes").c_str(), nullptr);
    app.WriteIni(L"[Application]\r\nEmbedded Jar=yes\r\n",
                 L"lib\\*.jar;C:\\absent\\kept.jar;missing.jar;nothing\\*.jar;classes;%TARN_TEST_JAR%");
    WriteJar(app.File(L"from-env.jar"), {ClassEntry("env/Marker", "method main\nend\n")});
    const Trace trace = RunCleanly(app, 0, L"", {{L"TARN_TEST_JAR", L"from-env.jar"}});

    WString expected = app.ExePath() + L";";
    for (const WString& jar : SystemOrder(app.Path() + L"\\lib", L"*.jar")) expected += jar + L";";
    expected += L"C:\\absent\\kept.jar;" + app.Path() + L"\\classes;" + app.Path() + L"\\from-env.jar;";
    EXPECT_EQ(PrintedValue(trace, "java.class.path"), expected);
    EXPECT_EQ(VmOptionTexts(trace).front(), Utf8(L"-Djava.class.path=" + expected));
}

TEST(ClassPathLaunch, AClassPathBeyondTheSystemsExpansionLimitReachesTheVmWhole) {
    LaunchApp app;
    const WString longName = L"a-library-with-a-rather-long-name-as-real-projects-have-it-";
    for (int i = 0; i < 600; ++i) WriteBytes(app.File(L"lib\\" + longName + std::to_wstring(i) + L".jar"), "");
    app.WriteMain("method main\n  prop java.class.path\nend\n");
    app.WriteIni(L"", L"classes;lib\\*.jar");
    const Trace trace = RunCleanly(app, 0);
    WString expected = app.Path() + L"\\classes;";
    for (const WString& jar : SystemOrder(app.Path() + L"\\lib", L"*.jar")) expected += jar + L";";
    ASSERT_GT(expected.size(), 40000u);
    EXPECT_EQ(PrintedValue(trace, "java.class.path"), expected);
}

// Settings as vendors write them. The only jar's name holds a reference, which names found on disk
// never have expanded; "<app>" stands for the product folder.
TEST(ClassPathLaunch, SettingsAsVendorsWriteThemGiveTheClassPathOrNameWhatIsMissing) {
    WString climb = L"lib";
    while (climb.size() < 300) climb += L"/../lib";  // beyond 259 characters once joined to <app>
    const std::pair<WString, WString> rows[] = {  // setting, the class path or else the box text
        {L"lib/*.jar", L"<app>\\lib\\%TARN_TEST_DIR%.jar;"},
        {L"lib\\*.jar;;", L"<app>\\lib\\%TARN_TEST_DIR%.jar;"},
        {climb + L"/*.jar", L"<app>\\lib\\%TARN_TEST_DIR%.jar;"},
        {L"", kNoClassPath},
        {L"missing.jar;nothing\\*.jar", L"None of the Java Class Path entries was found; the first is <app>\\missing.jar.\n"},
        {L"%TARN_UNDEFINED%\\a.jar;nosuch/*.jar",
         L"None of the Java Class Path entries was found; the first is <app>\\%TARN_UNDEFINED%\\a.jar.\n"},
    };
    for (const auto& [setting, outcome] : rows) {
        SCOPED_TRACE(Utf8(setting));
        LaunchApp app;
        WriteJar(app.File(L"lib\\%TARN_TEST_DIR%.jar"), {ClassEntry("app/Main", "method main\n  prop java.class.path\nend\n")});
        app.WriteIni(L"", setting);
        WString expected = outcome;
        if (expected.find(L"<app>") != WString::npos) expected.replace(expected.find(L"<app>"), 5, app.Path());
        const std::vector<std::pair<WString, WString>> environment = {{L"TARN_TEST_DIR", L"C:\\x"}};
        if (expected.back() == L';') {
            EXPECT_EQ(PrintedValue(RunCleanly(app, 0, L"", environment), "java.class.path"), expected);
            continue;
        }
        const RunResult result = app.Run(L"", environment);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.ExitCode(), -1);
        EXPECT_EQ(result.DialogTexts(), WStringList{expected});
        const Trace trace = app.ReadTrace();
        EXPECT_TRUE(NoWarnings(trace));
        EXPECT_FALSE(trace.Has("JNI_CreateJavaVM")) << trace.Text();
    }
}

}  // namespace
}  // namespace tarn::test
