// Hosting the VM, seen from the Java program and the user: what main receives, the environment,
// options and class path it finds, and each failure's message box and exit code. {app} is the
// product folder, {app}\jre the runtime shipped in it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "launcher/SettingsStore.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

const WString kPath = L"C:\\windows\\system32;C:\\windows";
const std::string kPrintEnvironment = "env TARN_JVM_PATH\n env TARN_JVM_HOME\n env Path\n prop java.library.path";
WString CreateFailure(const WString& reason) {
    return L"JNI exception: failed to create the Java VM\nReason: " + reason + L".\n";
}

struct Row {
    const char* what;
    WString settings;   // AppSettings(settings)
    std::string main;   // the commands of app.Main's main
    WString arguments;
    std::vector<std::pair<WString, WString>> environment;
    int exitCode;
    WStringList out;      // {app} expanded
    WStringList dialogs;  // {app} expanded
    RuntimeSpec runtime = {};
    std::vector<std::pair<WString, std::string>> files = {};
};

void RunRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Launch launch({.settings = AppSettings(row.settings),
                       .classes = {{"app/Main", "method main\n " + row.main + "\nend\n"}},
                       .arguments = row.arguments,
                       .runtimes = {{L"{app}\\jre", row.runtime}},
                       .files = row.files,
                       .environment = row.environment});
        const Outcome o = launch.Run();
        EXPECT_TRUE(o.finished);
        EXPECT_EQ(o.exitCode, row.exitCode) << o.trace.Text();
        EXPECT_EQ(o.out, launch.Expand(row.out));
        EXPECT_EQ(o.DialogTexts(), launch.Expand(row.dialogs));
    }
}

TEST(Hosting, WhatTheProgramReceivesAndFinds) {
    const WString nonLatin = L"\u00DCn\u00EFc\u00F6d\u00E9-\u65E5\u672C-\u0416";
    WString manyWords;
    for (int i = 0; i < 10000; ++i) manyWords += L"w ";
    const WString jar = L"{app}\\lib\\%TARN_TEST_DIR%.jar";  // a name found on disk is never expanded
    WString climb = L"lib";
    while (climb.size() < 300) climb += L"/../lib";
    const RuntimeSpec serverOnly{{L"server"}};
    WString longText, longExpanded;  // far beyond the 32,767 units of the system's own expansion
    for (int i = 0; i < 4000; ++i) {
        longText += L"C:\\app\\lib\\library-" + std::to_wstring(i) + L"-%TARN_TEST_JAR%;";
        longExpanded += L"C:\\app\\lib\\library-" + std::to_wstring(i) + L"-x.jar;";
    }
    RunRows({
        {"command line words, then those of Cmd", L"[Application]\r\nCmd=%TARN_TEST_WORD% \"cmd two\" \"\"  last\r\n",
         "args", L"\"two words\" \"\" plain -nosplash " + nonLatin + L" /nosplash -NOSPLASH",
         {{L"TARN_TEST_WORD", L"from-env"}}, 0,
         {L"two words", L"", L"plain", L"-nosplash", nonLatin, L"/nosplash", L"-NOSPLASH", L"from-env", L"cmd two",
          L"last"}},
        {"no words give an empty array", L"", "argc", L"", {}, 0, {L"0"}},
        {"ten thousand words", L"", "argc", manyWords, {}, 0, {L"10000"}},
        {"runtime variables, Path and library path with settings; a list's own ';' is not doubled",
         L"System Path=C:\\Tools;%TARN_TEST_EXTRA%\r\nLibrary Path=native;%TARN_TEST_EXTRA%;\r\n", kPrintEnvironment, L"",
         {{L"Path", kPath}, {L"TARN_TEST_EXTRA", L"D:\\extra"}}, 0,
         {L"TARN_JVM_PATH={app}\\jre\\bin\\client\\jvm.dll", L"TARN_JVM_HOME={app}\\jre",
          L"Path=C:\\Tools;D:\\extra;" + kPath + L";{app}\\jre\\bin",
          L"java.library.path=native;D:\\extra;{app}\\;.;" + kPath + L";{app}\\jre\\lib"}},
        {"without settings Path gains the runtime's bin, even when it holds it", L"", "env Path", L"",
         {{L"Path", kPath + L";{app}\\jre\\bin"}}, 0, {L"Path=" + kPath + L";{app}\\jre\\bin;{app}\\jre\\bin"}},
        {"a System Path ending in ';'", L"System Path=C:\\Tools;\r\n", "env Path", L"", {{L"Path", kPath}}, 0,
         {L"Path=C:\\Tools;" + kPath + L";{app}\\jre\\bin"}},
        {"VM parameters quoted, with variables", L"Virtual Machine Parameters=\"-Dapp.home=C:\\Program Files\\App\" "
         L"-Dq=\"a\"\"b\" -Dpath=%TARN_TEST_DIR%\\x\r\n", "prop app.home\n prop q\n prop path", L"",
         {{L"TARN_TEST_DIR", L"D:\\data"}}, 0, {L"app.home=C:\\Program Files\\App", L"q=a\"b\"", L"path=D:\\data\\x"}},
        {"class path entries with '/', past 259 characters, and a jar whose name holds a reference",
         L"[Class Path]\r\nClass Path=lib/*.jar;" + climb + L"/*.jar;classes\r\n", "prop java.class.path", L"",
         {{L"TARN_TEST_DIR", L"C:\\x"}}, 0, {L"java.class.path=" + jar + L";" + jar + L";{app}\\classes;"}, {}, {},
         {{jar, "PK"}}},
        {"Cmd beyond the system's expansion limit; a variable set to nothing expands to nothing, an unset one stays",
         L"[Application]\r\nCmd=" + longText + L" [%TARN_TEST_EMPTY%][%TARN_TEST_UNSET%]\r\n", "args", L"",
         {{L"TARN_TEST_JAR", L"x.jar"}, {L"TARN_TEST_EMPTY", WString(1, L'\0')}}, 0, {longExpanded, L"[][%TARN_TEST_UNSET%]"}},
        {"a folder named like a JVM library is none", L"", "env TARN_JVM_PATH", L"", {}, 0,
         {L"TARN_JVM_PATH={app}\\jre\\bin\\server\\jvm.dll"}, {}, serverOnly, {{L"{app}\\jre\\bin\\client\\jvm.dll\\x", ""}}},
        {"System.exit ends the process with its code", L"", "out bye\n exit 7\n out never", L"", {}, 7, {L"bye"}},
    });
}

TEST(Hosting, FailuresShowTheirMessageAndEndWithMinusOne) {
    const RuntimeSpec noCreate{.variant = JvmVariant::NoCreateJavaVm}, noDefaults{.variant = JvmVariant::NoDefaultInitArgs},
        noHelper{.variant = JvmVariant::NoLauncherHelper};
    const WString missingEntry = L"Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n";
    RunRows({
        {"no JNI_CreateJavaVM", L"", "", L"", {}, -1, {}, {missingEntry}, noCreate},
        {"no JNI_GetDefaultJavaVMInitArgs", L"", "", L"", {}, -1, {}, {missingEntry}, noDefaults},
        {"an unrecognised option: JNI_ERR", L"Virtual Machine Parameters=-Xbogus\r\n", "", L"", {}, -1, {},
         {CreateFailure(L"unknown")}},
        {"a share resolving to -Xmx0K", L"Virtual Machine Parameters=-Xmx:P\r\n", "", L"", {}, -1, {},
         {CreateFailure(L"invalid arguments")}},
        {"JNI_EEXIST", L"Virtual Machine Parameters=-Dtarn.standin.createResult=-5\r\n", "", L"", {}, -1, {},
         {CreateFailure(L"VM already created")}},
        {"an unlisted code has no reason", L"Virtual Machine Parameters=-Dtarn.standin.createResult=3\r\n", "", L"", {},
         -1, {}, {CreateFailure(L"")}},
        {"without the launcher helper a missing class", L"Main Class=com.example.Missing\r\n", "", L"", {}, -1, {},
         {L"Could not find the main class com/example/Missing.\n"}, noHelper},
        {"an empty class path", L"[Class Path]\r\nClass Path=\r\n", "", L"", {}, -1, {},
         {L"Java Class Path was not specified in INI file."}},
        {"no class path entry exists", L"[Class Path]\r\nClass Path=missing.jar;nothing\\*.jar\r\n", "", L"", {}, -1,
         {}, {L"None of the Java Class Path entries was found; the first is {app}\\missing.jar.\n"}},
        {"a library that is no image: the system's code", L"", "", L"", {}, -1, {},
         {L"Failed to load Java VM library: {app}\\jre\\bin\\client\\jvm.dll (errno = 193).\n"}, {},
         {{L"{app}\\jre\\bin\\client\\jvm.dll", "not a library"}}},
        {"an undefined reference", L"[Class Path]\r\nClass Path=%TARN_UNDEFINED%\\a.jar;nosuch/*.jar\r\n", "", L"", {}, -1,
         {}, {L"None of the Java Class Path entries was found; the first is {app}\\%TARN_UNDEFINED%\\a.jar.\n"}},
        {"a real-time priority", L"[Application]\r\nProcess Priority=realtime\r\n", "", L"", {}, -1, {},
         {L"Process Priority=realtime cannot be used: give idle, below normal, normal, above normal or high (realtime "
          L"could freeze the machine).\n"}},
        {"an unknown priority", L"[Application]\r\nProcess Priority=low\r\n", "", L"", {}, -1, {},
         {L"Process Priority=low cannot be used: give idle, below normal, normal, above normal or high (realtime could "
          L"freeze the machine).\n"}},
        {"an ID with a space", L"[Application]\r\nApp User Model ID=Vendor Product\r\n", "", L"", {}, -1, {},
         {L"App User Model ID=Vendor Product cannot be set (errno = -2147024809): it takes 1 to 128 characters, no "
          L"spaces.\n"}},
        {"restart codes that are no list", L"[Application]\r\nRestart Exit Codes=23 or 42\r\n", "", L"", {}, -1, {},
         {L"Restart Exit Codes=23 or 42 is not a list of exit codes.\n"}},
        {"restart codes of a service", L"[Application]\r\nApplication Type=service\r\nRestart Exit Codes=23\r\n", "", L"",
         {}, -1, {}, {L"A service cannot use Restart Exit Codes: the service manager restarts it.\n"}},
    });
}

TEST(Hosting, WithoutTheLauncherHelperTheVmThreadDetachesBeforeTheFinalDestroy) {
    const RuntimeSpec noHelper{.variant = JvmVariant::NoLauncherHelper};
    for (const char* main : {"", "method other\nend\n"}) {
        SCOPED_TRACE(*main ? "a class without main: the pending exception printed, no box" : "a missing class");
        const Outcome o = Launch({.settings = AppSettings(*main ? L"" : L"Main Class=com.example.Missing\r\n"),
                                  .classes = {{"app/Main", main}},
                                  .runtimes = {{L"{app}\\jre", noHelper}}})
                              .Run();
        EXPECT_EQ(o.exitCode, -1);
        if (*main) {
            EXPECT_EQ(o.DialogTexts(), WStringList{});
        }
        ASSERT_EQ(o.err.size(), 1u) << o.trace.Text();
        if (*main) {
            EXPECT_NE(o.err[0].find(L"NoSuchMethodError"), WString::npos) << ToUtf8(o.err[0]);
        }
        EXPECT_TRUE(o.trace.Has("DetachCurrentThread returned"));
        EXPECT_TRUE(o.trace.Has("DestroyJavaVM returned", "0"));
    }
}

// Also: the launcher helper gets the dotted class name, and FindClass is not used for it.
TEST(Hosting, TheLibraryPathOptionComesFirstAndTheHooksLast) {
    const Outcome o = Launch({.settings = AppSettings(L"Main Class=com.example.App\r\nLibrary Path=native\r\n"),
                              .classes = {{"com/example/App", "method main\nend\n"}}})
                          .Run();
    ExpectCleanEnd(o, 0);
    ASSERT_EQ(o.options.size(), 4u) << o.trace.Text();  // without a Library Path no option: DiscoveryLog_test
    EXPECT_EQ(o.options[0].rfind("-Djava.library.path=native;", 0), 0u);
    EXPECT_EQ(o.options[1].rfind("-Djava.class.path=", 0), 0u);
    EXPECT_EQ(o.options[2], "abort");
    EXPECT_EQ(o.options[3], "exit");
    // The hooks carry their functions as extraInfo; the other options none.
    const std::vector<TraceLine> lines = o.trace.Named("Option");
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].Fields().size() > 1, i >= 2) << lines[i].detail;
    EXPECT_TRUE(o.trace.Has("CallStaticObjectMethod", "\"com.example.App\""));
    EXPECT_FALSE(o.trace.Has("FindClass", "com/example/App"));
}

// The class path: an embedded jar first, then wildcards (all matches, in no promised order),
// entries that do not exist dropped unless absolute, folders, variables; beyond the system's
// expansion limit (600 jars of long names) it reaches the VM whole.
TEST(Hosting, ClassPathFromRealFoldersAndJars) {
    Scenario s{.settings = L"[Class Path]\r\nClass Path=lib\\*.jar;C:\\absent\\kept.jar;missing.jar;nothing\\*.jar;"
                           L"classes;%TARN_TEST_JAR%\r\n[Java Runtime Environment]\r\nMain Class=app.Main\r\n"
                           L"[Application]\r\nEmbedded Jar=yes\r\n",
               .classes = {{"app/Main", "method main\n  prop java.class.path\nend\n"}},
               .files = {{L"{app}\\lib\\notes.txt", "not a jar"}, {L"{app}\\from-env.jar", "PK"}},
               .environment = {{L"TARN_TEST_JAR", L"from-env.jar"}}};
    WStringList jars;
    for (int i = 0; i < 600; ++i) {
        jars.push_back(L"\\lib\\a-library-with-a-rather-long-name-as-real-projects-have-it-" + std::to_wstring(i) + L".jar");
        s.files.push_back({L"{app}" + jars.back(), "PK"});
    }
    Launch launch(std::move(s));
    const Outcome o = launch.Run();
    ExpectCleanEnd(o, 0);
    const WString app = launch.Folder();
    for (WString& jar : jars) jar = app + jar;
    std::sort(jars.begin(), jars.end());
    const WString classPath = PrintedValue(o, L"java.class.path");
    EXPECT_GT(classPath.size(), 40000u);
    WStringList entries = SplitList(classPath, L";");
    ASSERT_EQ(entries.size(), 604u) << o.trace.Text();
    EXPECT_EQ(entries[0], launch.ExePath());
    std::sort(entries.begin() + 1, entries.begin() + 601);
    EXPECT_EQ(WStringList(entries.begin() + 1, entries.begin() + 601), jars);
    EXPECT_EQ(WStringList(entries.begin() + 601, entries.end()),
              (WStringList{L"C:\\absent\\kept.jar", app + L"\\classes", app + L"\\from-env.jar"}));
    EXPECT_EQ(o.options.front(), ToUtf8(L"-Djava.class.path=" + classPath));
}

}  // namespace
}  // namespace tarn::test
