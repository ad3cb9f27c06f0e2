// Hosting the VM, seen from the Java program and the user: what main receives, the environment,
// options and class path it finds, programs of today started as the java command starts them, and
// each failure's message box and exit code. {app} is the product folder, {app}\jre the runtime
// shipped in it.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "launcher/SettingsStore.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

const WString kPath = L"C:\\windows\\system32;C:\\windows";
const RuntimeSpec kNoHelper{.variant = JvmVariant::NoLauncherHelper};
WString CreateFailure(const WString& reason) {
    return L"JNI exception: failed to create the Java VM\nReason: " + reason + L".\n";
}

// One start; every text is {app} expanded.
struct Row {
    const char* what;
    WString settings;  // AppSettings(settings)
    int exitCode = 0;
    std::vector<std::string> options = {};  // what the VM received but the hooks; the class path first unless placed
    WStringList messages = {};              // the boxes; for the console launcher its standard error
    std::vector<std::pair<WString, std::string>> files = {};
    std::vector<std::pair<WString, WString>> environment = {};
    RuntimeSpec runtime = {.version = "21.0.2"};  // in {app}\jre
    std::string main = "out main ran";            // the commands of app.Main's main
    WStringList out = {};                         // unchecked when empty
    std::vector<std::string> trace = {};  // lines the stand-in traced: name, tab, part of the detail
    WStringList log = {};                 // whole lines of the discovery log
    WStringList javaCommand = {};         // the log's java command after java.exe
    WString arguments = L"";
    bool console = false;
    bool explorer = false;       // no standard handles, as started from the Explorer
    std::string appendJar = "";  // a jar appended to the executable
};

void RunRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::pair<WString, WString>> environment = row.environment;
        environment.push_back({L"TARN_LAUNCHER_LOG", L"{app}\\start.log"});
        Launch launch({.settings = AppSettings(row.settings),
                       .classes = {{"app/Main", "method main\n " + row.main + "\nend\n"}}, .arguments = row.arguments,
                       .runtimes = {{L"{app}\\jre", row.runtime}}, .files = row.files, .environment = environment,
                       .launcher = row.console ? BuildDir() + L"\\tarnc64.exe" : WString(),
                       .input = row.console ? std::optional<std::string>("") : std::nullopt,
                       .noStandardHandles = row.explorer});
        if (!row.appendJar.empty()) WriteBytes(launch.ExePath(), ReadBytes(launch.ExePath()) + row.appendJar);
        const Outcome o = launch.Run();
        EXPECT_TRUE(o.finished);
        EXPECT_EQ(o.exitCode, row.exitCode) << o.trace.Text();
        WStringList messages = o.DialogTexts();
        if (row.console && !o.stderrBytes.empty()) messages = {FromUtf8(o.stderrBytes.substr(0, o.stderrBytes.size() - 2))};
        EXPECT_EQ(messages, launch.Expand(row.messages));
        if (!row.out.empty()) {
            EXPECT_EQ(o.out, launch.Expand(row.out));
        }
        if (o.trace.Has("JNI_CreateJavaVM")) {
            // The library path first, then the class path, the row's options; the hooks last, they alone
            // carrying their functions. The launcher helper, not FindClass, loads the main class.
            std::vector<std::string> options, expected = {"abort", "exit"};
            for (const TraceLine& line : o.trace.Named("Option")) {
                options.push_back(line.Fields()[0].starts_with("-Djava.class.path=") ? "(class path)" : line.Fields()[0]);
                EXPECT_EQ(line.Fields().size() > 1, options.back() == "abort" || options.back() == "exit") << options.back();
            }
            for (const std::string& option : row.options) expected.insert(expected.end() - 2, ToUtf8(launch.Expand(FromUtf8(option))));
            if (std::find(expected.begin(), expected.end(), "(class path)") == expected.end())
                expected.insert(expected.begin() + expected[0].starts_with("-Djava.library.path="), "(class path)");
            EXPECT_EQ(options, expected);
            EXPECT_TRUE(row.runtime.variant != JvmVariant::Full || !o.trace.Has("FindClass", "app/Main"));
        }
        for (const std::string& line : row.trace) {
            const std::string expected = ToUtf8(launch.Expand(FromUtf8(line)));
            EXPECT_TRUE(o.trace.Has(expected.substr(0, expected.find('\t')), expected.substr(expected.find('\t') + 1)))
                << expected << "\n" << o.trace.Text();
        }
        WStringList log;  // the whole lines of the discovery log
        for (const std::string& line : ReadOutputLines(launch.Expand(L"{app}\\start.log"))) log.push_back(FromUtf8(line));
        for (const WString& line : launch.Expand(row.log)) EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << ToUtf8(line);
        if (row.runtime.version.rfind("1.8", 0) == 0) {  // java 8 knows no JDK_JAVA_OPTIONS
            EXPECT_TRUE(std::none_of(log.begin(), log.end(), [](const WString& l) { return l.starts_with(L"NOTE: Picked up"); }));
        }
        if (row.javaCommand.empty()) continue;
        // The log's java command split as the C runtime splits a command line.
        const auto line = std::find_if(log.begin(), log.end(), [](const WString& l) { return l.starts_with(L"java command: "); });
        int count = 0;
        LPWSTR* words = line == log.end() ? nullptr : CommandLineToArgvW(line->substr(14).c_str(), &count);
        const WStringList java = count > 0 ? WStringList(words, words + count) : WStringList{L"<no java command>"};
        LocalFree(words);
        WStringList expected = row.javaCommand;
        expected.insert(expected.begin(), L"{app}\\jre\\bin\\java.exe");
        EXPECT_EQ(java, launch.Expand(expected));
    }
}

TEST(Hosting, WhatTheProgramReceivesAndFinds) {
    const WString nonLatin = L"\u00DCn\u00EFc\u00F6d\u00E9-\u65E5\u672C-\u0416";
    WString manyWords;
    for (int i = 0; i < 10000; ++i) manyWords += L"w ";
    WString longText, longExpanded;  // far beyond the 32,767 units of the system's own expansion
    for (int i = 0; i < 4000; ++i) {
        longText += L"C:\\app\\lib\\library-" + std::to_wstring(i) + L"-%TARN_TEST_JAR%;";
        longExpanded += L"C:\\app\\lib\\library-" + std::to_wstring(i) + L"-x.jar;";
    }
    RunRows({
        {.what = "command line words, then those of Cmd", .settings = L"[Application]\r\nCmd=%TARN_TEST_WORD% \"cmd two\" \"\"  last\r\n",
         .environment = {{L"TARN_TEST_WORD", L"from-env"}}, .main = "args",
         .out = {L"two words", L"", L"plain", L"-nosplash", nonLatin, L"/nosplash", L"-NOSPLASH", L"from-env", L"cmd two", L"last"},
         .arguments = L"\"two words\" \"\" plain -nosplash " + nonLatin + L" /nosplash -NOSPLASH"},
        {.what = "no words give an empty array; System.exit ends the process with its code", .settings = L"", .exitCode = 7,
         .main = "argc\n exit 7\n out never", .out = {L"0"}},
        {.what = "ten thousand words", .settings = L"", .main = "argc", .out = {L"10000"}, .arguments = manyWords},
        {.what = "runtime variables, Path, library path and VM parameters with settings; a list's own ';' is not doubled",
         .settings = L"System Path=C:\\Tools;%TARN_TEST_EXTRA%;\r\nLibrary Path=native;%TARN_TEST_EXTRA%;\r\n"
                     L"Virtual Machine Parameters=\"-Dapp.home=C:\\Program Files\\App\" -Dq=\"a\"\"b\" -Dpath=%TARN_TEST_EXTRA%\\x\r\n",
         .options = {"-Djava.library.path=native;D:\\extra;{app}\\;.;C:\\windows\\system32;C:\\windows;{app}\\jre\\lib",
                     "-Dapp.home=C:\\Program Files\\App", "-Dq=a\"b\"", "-Dpath=D:\\extra\\x"},
         .environment = {{L"Path", kPath}, {L"TARN_TEST_EXTRA", L"D:\\extra"}},
         .main = "env TARN_JVM_PATH\n env TARN_JVM_HOME\n env Path",
         .out = {L"TARN_JVM_PATH={app}\\jre\\bin\\client\\jvm.dll", L"TARN_JVM_HOME={app}\\jre",
                 L"Path=C:\\Tools;D:\\extra;" + kPath + L";{app}\\jre\\bin"},
         .trace = {"CallStaticObjectMethod\t\"app.Main\""}},  // the launcher helper gets the dotted name
        {.what = "without settings Path gains the runtime's bin, even when it holds it; a folder named like a JVM library is none",
         .settings = L"", .files = {{L"{app}\\jre\\bin\\client\\jvm.dll\\x", ""}},
         .environment = {{L"Path", kPath + L";{app}\\jre\\bin"}}, .runtime = {.vms = {L"server"}}, .main = "env TARN_JVM_PATH\n env Path",
         .out = {L"TARN_JVM_PATH={app}\\jre\\bin\\server\\jvm.dll", L"Path=" + kPath + L";{app}\\jre\\bin;{app}\\jre\\bin"}},
        {.what = "Cmd beyond the system's expansion limit; a variable set to nothing expands to nothing, an unset one stays",
         .settings = L"[Application]\r\nCmd=" + longText + L" [%TARN_TEST_EMPTY%][%TARN_TEST_UNSET%]\r\n",
         .environment = {{L"TARN_TEST_JAR", L"x.jar"}, {L"TARN_TEST_EMPTY", WString(1, L'\0')}}, .main = "args",
         .out = {longExpanded, L"[][%TARN_TEST_UNSET%]"}},
    });
}

TEST(Hosting, FailuresShowTheirMessageAndEndWithMinusOne) {
    const WString parameters = L"Virtual Machine Parameters=", priority = L"[Application]\r\nProcess Priority=";
    const WString priorities = L" cannot be used: give idle, below normal, normal, above normal or high (realtime could "
                               L"freeze the machine).\n";
    // Without the launcher helper the exception is printed, and the VM thread still detaches before the final destroy.
    auto detached = [](const std::string& exception) {
        return std::vector<std::string>{"DetachCurrentThread returned\t0", "DestroyJavaVM returned\t0",
                                        "Print\tstderr\tException in thread \"main\" java.lang." + exception};
    };
    RunRows({
        // No JNI_CreateJavaVM gives the same message: a row of DiscoveryLog_test.
        {.what = "no JNI_GetDefaultJavaVMInitArgs", .settings = L"", .exitCode = -1,
         .messages = {L"Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n"},
         .runtime = {.variant = JvmVariant::NoDefaultInitArgs}},
        {.what = "a share resolving to -Xmx0K", .settings = parameters + L"-Xmx:P\r\n", .exitCode = -1, .options = {"-Xmx0K"},
         .messages = {CreateFailure(L"invalid arguments")}},
        {.what = "JNI_EEXIST", .settings = parameters + L"-Dtarn.standin.createResult=-5\r\n", .exitCode = -1,
         .options = {"-Dtarn.standin.createResult=-5"}, .messages = {CreateFailure(L"VM already created")}},
        {.what = "an unlisted code has no reason", .settings = parameters + L"-Dtarn.standin.createResult=3\r\n", .exitCode = -1,
         .options = {"-Dtarn.standin.createResult=3"}, .messages = {CreateFailure(L"")}},
        {.what = "without the launcher helper a missing class", .settings = L"Main Class=com.example.Missing\r\n", .exitCode = -1,
         .messages = {L"Could not find the main class com/example/Missing.\n"}, .runtime = kNoHelper,
         .trace = detached("NoClassDefFoundError: com/example/Missing")},
        {.what = "... and from the Explorer: the runtime's description in a box too", .settings = L"Main Class=com.example.Missing\r\n",
         .exitCode = -1, .messages = {L"Could not find the main class com/example/Missing.\n",
                                      L"Exception in thread \"main\" java.lang.NoClassDefFoundError: com/example/Missing"},
         .runtime = kNoHelper, .explorer = true},
        {.what = "without the launcher helper a class without main: the pending exception printed, no box",
         .settings = L"Main Class=app.Other\r\n", .exitCode = -1,
         .files = {{L"{app}\\classes\\app\\Other.class", "method other\nend\n"}}, .runtime = kNoHelper,
         .trace = detached("NoSuchMethodError")},
        {.what = "an empty class path", .settings = L"[Class Path]\r\nClass Path=\r\n", .exitCode = -1,
         .messages = {L"Java Class Path was not specified in INI file."}},
        {.what = "no class path entry exists; an undefined reference stays",
         .settings = L"[Class Path]\r\nClass Path=%TARN_UNDEFINED%\\a.jar;missing.jar;nothing\\*.jar\r\n", .exitCode = -1,
         .messages = {L"None of the Java Class Path entries was found; the first is {app}\\%TARN_UNDEFINED%\\a.jar.\n"}},
        {.what = "a library that is no image: the system's code", .settings = L"", .exitCode = -1,
         .messages = {L"Failed to load Java VM library: {app}\\jre\\bin\\client\\jvm.dll (errno = 193).\n"},
         .files = {{L"{app}\\jre\\bin\\client\\jvm.dll", "not a library"}}},
        {.what = "a real-time priority", .settings = priority + L"realtime\r\n", .exitCode = -1,
         .messages = {L"Process Priority=realtime" + priorities}},
        {.what = "an unknown priority", .settings = priority + L"low\r\n", .exitCode = -1, .messages = {L"Process Priority=low" + priorities}},
        {.what = "an ID with a space", .settings = L"[Application]\r\nApp User Model ID=Vendor Product\r\n", .exitCode = -1,
         .messages = {L"App User Model ID=Vendor Product cannot be set (errno = -2147024809): it takes 1 to 128 characters, no "
                      L"spaces.\n"}},
        {.what = "restart codes that are no list", .settings = L"[Application]\r\nRestart Exit Codes=23 or 42\r\n", .exitCode = -1,
         .messages = {L"Restart Exit Codes=23 or 42 is not a list of exit codes.\n"}},
        {.what = "restart codes of a service", .settings = L"[Application]\r\nApplication Type=service\r\nRestart Exit Codes=23\r\n",
         .exitCode = -1, .messages = {L"A service cannot use Restart Exit Codes: the service manager restarts it.\n"}},
    });
}

// Programs of today, started as the JDK's own java command starts them. The oracles: java.c
// (ParseArguments, IsModuleOption: the folding and java's own options), args.c (argument files,
// JDK_JAVA_OPTIONS), LauncherHelper.java with launcher.properties (jar and module mode and their
// messages), emessages.h (java's texts for JDK_JAVA_OPTIONS), hotspot's arguments.cpp (what a VM
// takes through JNI, JAVA_TOOL_OPTIONS) and System.initPhase2 (an unknown module). {app} is the
// product folder; the runtime states its version in its release file.
TEST(Hosting, TodaysProgramsStartAsWithTheJavaCommand) {
    auto parameters = [](const WString& text) { return L"Virtual Machine Parameters=" + text + L"\r\n"; };
    auto modular = [](const WString& module) {
        return L"Main Class=\r\nMain Module=" + module + L"\r\n[Class Path]\r\nClass Path=classes\r\nModule Path=mods\r\n";
    };
    const std::vector<std::pair<WString, std::string>> modules = {
        {L"{app}\\mods\\core\\module-info.class", "module app.core\nmain app.core.Start\n"},
        {L"{app}\\mods\\core\\app\\core\\Start.class", "method main\n out in the module\nend\n"},
        {L"{app}\\mods\\core\\app\\core\\Other.class", "method main\n out other class\nend\n"}};
    const std::string manifest = "Manifest-Version: 1.0\r\nMain-Class: app.Jarred\r\n"
                                 "Add-Opens: java.base/java.lang java.base/java.util\r\nEnable-Native-Access: ALL-UNNAMED\r\n\r\n";
    const std::string jar = StoredJar({{"META-INF/MANIFEST.MF", manifest}, {"app/Jarred.class", "method main\n out from the jar\n args\nend\n"}});
    const std::string argumentFile = "# options of the program\r\n-Dq=\"a b\" '-Dsingle=x \"y\"'\r\n--add-modules java.sql  # a module\r\n"
                                     "-Dcont=\"one \\\r\n    two\" -Dtab=\"a\\tb\"\r\n\x1a-Dpast=ctrl-z\r\n";
    const WString gates = L"[9+]--add-opens java.base/java.lang=ALL-UNNAMED [22+]--enable-native-access=ALL-UNNAMED "
                          L"[-8]-XX:MaxPermSize=256m ";
    const std::pair<WString, WString> variable = {L"JDK_JAVA_OPTIONS", L"--add-modules java.sql -Dfrom=variable"};
    const WString notice = L"NOTE: Picked up JDK_JAVA_OPTIONS: --add-modules java.sql -Dfrom=variable";
    RunRows({
        {.what = "each module option java takes as two words reaches the VM as one, the = form unchanged, old spellings in "
                 "today's form; an argument file: quotes, comments, escapes and a continued line; the VM is created",
         .settings = parameters(L"--add-opens java.base/java.lang=ALL-UNNAMED --add-exports java.base/sun.nio.ch=ALL-UNNAMED "
                                L"--add-reads app=ALL-UNNAMED --add-modules java.sql --limit-modules java.base,java.sql "
                                L"--patch-module java.base=patch --enable-native-access ALL-UNNAMED -p mods --module-path more "
                                L"--upgrade-module-path up --add-opens=java.base/java.util=A -verbosegc -Xdiag -noverify -noclassgc @args.txt -Dafter=1"),
         .options = {"--add-opens=java.base/java.lang=ALL-UNNAMED", "--add-exports=java.base/sun.nio.ch=ALL-UNNAMED",
                     "--add-reads=app=ALL-UNNAMED", "--add-modules=java.sql", "--limit-modules=java.base,java.sql",
                     "--patch-module=java.base=patch", "--enable-native-access=ALL-UNNAMED", "--module-path=mods",
                     "--module-path=more", "--upgrade-module-path=up", "--add-opens=java.base/java.util=A", "-verbose:gc",
                     "-Dsun.java.launcher.diag=true", "-Xverify:none", "-Xnoclassgc", "-Dq=a b", "-Dsingle=x \"y\"", "--add-modules=java.sql", "-Dcont=one two",
                     "-Dtab=a\\tb", "-Dafter=1"},
         .files = {{L"{app}\\args.txt", argumentFile}}, .out = {L"main ran"}},
        {.what = "an option of the java command itself, with the setting to use", .settings = parameters(L"-Xmx64m -jar app.jar"),
         .exitCode = -1,
         .messages = {L"\"Virtual Machine Parameters\": -jar is an option of the java command itself, not of the Java VM: "
                      L"name the jar in \"Main Jar\" instead.\n"}},
        {.what = "a gate apart from its option is named", .settings = parameters(L"[9+] --add-opens=a/b=c"), .exitCode = -1,
         .messages = {L"\"Virtual Machine Parameters\": [9+] is no option: the java command would take it as the main class. "
                      L"Name the main class in \"Main Class\" and the program's arguments in \"Cmd\".\n"}},
        {.what = "a main module by name: its ModuleMainClass runs", .settings = modular(L"app.core"),
         .options = {"--module-path={app}\\mods", "-Djdk.module.main=app.core"}, .files = modules, .out = {L"in the module"},
         .javaCommand = {L"-cp", L"{app}\\classes;", L"--module-path={app}\\mods", L"-m", L"app.core"}},
        {.what = "a main module by name and class", .settings = modular(L"app.core/app.core.Other"),
         .options = {"--module-path={app}\\mods", "-Djdk.module.main=app.core"}, .files = modules, .out = {L"other class"}},
        {.what = "an unknown module: the runtime's own explanation in the box", .settings = modular(L"app.missing"),
         .exitCode = 1, .options = {"--module-path={app}\\mods", "-Djdk.module.main=app.missing"},
         .messages = {L"Error occurred during initialization of boot layer\njava.lang.module.FindException: Module app.missing not found"},
         .files = modules, .explorer = true},
        {.what = "a jar without Main-Class and an Error File: the box names the file, which holds the runtime's words",
         .settings = L"Main Class=\r\nMain Jar=plain.jar\r\n[Class Path]\r\nClass Path=\r\n[Application]\r\nError File={app}\\err.txt\r\n",
         .exitCode = 1, .messages = {L"The Java runtime could not start the program. Its explanation is in the error file {app}\\err.txt.\n"},
         .files = {{L"{app}\\plain.jar", StoredJar({{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\n\r\n"}})}},
         .trace = {"Print\t{app}\\err.txt\tno main manifest attribute, in {app}\\plain.jar"}, .explorer = true},
        {.what = "a class the launcher helper cannot load: its words in the box", .settings = L"Main Class=com.example.Missing\r\n",
         .exitCode = 1,
         .messages = {L"Error: Could not find or load main class com.example.Missing\nCaused by: java.lang.ClassNotFoundException: "
                      L"com.example.Missing"},
         .explorer = true},
        {.what = "a main jar: the runtime applies its manifest", .settings = L"Main Class=\r\nMain Jar=app.jar\r\n[Class Path]\r\nClass Path=\r\n",
         .files = {{L"{app}\\app.jar", jar}}, .runtime = {.version = "25"}, .out = {L"from the jar", L"two words", L"plain"},
         .trace = {"Option\t-Djava.class.path={app}\\app.jar", "LauncherHelper\taddOpensToAllUnnamed java.base/java.lang",
                   "LauncherHelper\taddOpensToAllUnnamed java.base/java.util", "LauncherHelper\taddEnableNativeAccessToAllUnnamed"},
         .javaCommand = {L"-jar", L"{app}\\app.jar", L"two words", L"plain"}, .arguments = L"\"two words\" plain"},
        {.what = "the executable itself as the main jar; gates on runtime 25",
         .settings = parameters(gates) + L"Main Class=\r\n[Class Path]\r\nClass Path=\r\n[Application]\r\nEmbedded Jar=Yes\r\n",
         .options = {"--add-opens=java.base/java.lang=ALL-UNNAMED", "--enable-native-access=ALL-UNNAMED"}, .runtime = {.version = "25"}, .out = {L"from the jar"}, .trace = {"Option\t-Djava.class.path={app}\\App.exe"}, .appendJar = jar},
        {.what = "a main jar and a class path", .settings = L"Main Class=\r\nMain Jar=app.jar\r\n", .exitCode = -1,
         .messages = {L"\"Main Jar\" starts the jar as the java command's -jar does: the jar's manifest (Class-Path) names the rest "
                      L"of the class path, and \"Class Path\" cannot add to it. Remove \"Class Path\", or name the main class in "
                      L"\"Main Class\" instead.\n"}},
        {.what = "a main jar on a runtime without the launcher helper", .settings = L"Main Class=\r\nMain Jar=app.jar\r\n[Class Path]\r\nClass Path=\r\n",
         .exitCode = -1,
         .messages = {L"This program needs Java 9 or later: it uses \"Main Jar\", which the Java runtime in {app}\\jre cannot start.\n"},
         .files = {{L"{app}\\app.jar", jar}}, .runtime = kNoHelper},
        {.what = "two main settings", .settings = L"Main Class=app.Main\r\nMain Module=app.core\r\n", .exitCode = -1,
         .messages = {L"The settings name both \"Main Class\" and \"Main Module\", but a program starts from one of them only: keep one.\n"}},
        {.what = "a missing argument file", .settings = parameters(L"@missing.txt"), .exitCode = -1,
         .messages = {L"Failed to read the argument file {app}\\missing.txt: File not found (errno = 2).\n"}},
        {.what = "JDK_JAVA_OPTIONS on runtime 21: before the settings, with java's notice; gates on 21",
         .settings = parameters(gates + L"-Dfrom=settings"), .options = {"--add-modules=java.sql", "-Dfrom=variable", "(class path)",
                                                                         "--add-opens=java.base/java.lang=ALL-UNNAMED", "-Dfrom=settings"},
         .messages = {notice}, .environment = {variable}, .log = {notice}, .console = true},
        {.what = "JDK_JAVA_OPTIONS may not name a main entry", .settings = L"", .exitCode = -1,
         .messages = {L"Error: Option -jar is not allowed in environment variable JDK_JAVA_OPTIONS\n"},
         .environment = {{L"JDK_JAVA_OPTIONS", L"-Dx=1 -jar app.jar"}}},
        {.what = "JDK_JAVA_OPTIONS: java's own options that go on are left out, with a log line", .settings = L"",
         .options = {"-Dx=1", "(class path)"}, .environment = {{L"JDK_JAVA_OPTIONS", L"-showversion -Dx=1 -cp lib"}},
         .log = {L"JDK_JAVA_OPTIONS: -showversion is left out: it is an option of the java command itself, not of the Java VM.",
                 L"JDK_JAVA_OPTIONS: -cp lib is left out: it is an option of the java command itself, not of the Java VM."}},
        {.what = "JDK_JAVA_OPTIONS on runtime 8: not read; gates on 8", .settings = parameters(gates + L"-Dfrom=settings"),
         .options = {"-XX:MaxPermSize=256m", "-Dfrom=settings"}, .environment = {variable}, .runtime = {.version = "1.8.0_392"},
         .console = true},
        {.what = "gates on a runtime of unknown version: taken as the newest", .settings = parameters(gates),
         .options = {"--add-opens=java.base/java.lang=ALL-UNNAMED", "--enable-native-access=ALL-UNNAMED"}, .runtime = {}},
        {.what = "a module setting on runtime 8", .settings = modular(L"app.core"), .exitCode = -1,
         .messages = {L"This program needs Java 9 or later: it uses \"Main Module\", and the Java runtime in {app}\\jre is version 1.8.0.392.\n"},
         .files = modules, .runtime = {.version = "1.8.0_392"}},
        {.what = "JAVA_TOOL_OPTIONS, which the VM reads itself, refuses two words as every runtime does", .settings = L"", .exitCode = -1,
         .messages = {CreateFailure(L"unknown")},
         .environment = {{L"JAVA_TOOL_OPTIONS", L"--add-opens java.base/java.lang=ALL-UNNAMED"}},
         .trace = {"VmMessage\tUnrecognized option: --add-opens"}},
        {.what = "the log's java command splits back into the options and arguments given; JAVA_TOOL_OPTIONS stays the "
                 "runtime's: it reads the variable itself",
         .settings = parameters(L"\"-Dspace=a b\" \"-Dback=C:\\my dir\\\" -Damp=a&b -Dquote=x\"y"),
         .options = {"-Dspace=a b", "-Dback=C:\\my dir\\", "-Damp=a&b", "-Dquote=x\"y"},
         .environment = {{L"JAVA_TOOL_OPTIONS", L"-Dtool=\"from the tool variable\""}}, .main = "prop tool",
         .out = {L"tool=from the tool variable"},
         .javaCommand = {L"-cp", L"{app}\\classes;", L"-Dspace=a b", L"-Dback=C:\\my dir\\", L"-Damp=a&b", L"-Dquote=x\"y", L"app.Main",
                         L"two words", L"", L"x"},
         .arguments = L"\"two words\" \"\" x"},
    });
}

// The class path: an embedded jar first, then wildcards (all matches, in no promised order; a
// name found on disk is never expanded), entries that do not exist dropped unless absolute,
// folders, variables; entries with '/' and past 259 characters; beyond the system's expansion
// limit (600 jars of long names) it reaches the VM whole.
TEST(Hosting, ClassPathFromRealFoldersAndJars) {
    WString climb = L"lib";
    while (climb.size() < 300) climb += L"/../lib";
    Scenario s{.settings = L"[Class Path]\r\nClass Path=" + climb + L"/*.jar;C:\\absent\\kept.jar;missing.jar;nothing\\*.jar;"
                           L"classes;%TARN_TEST_JAR%\r\n[Java Runtime Environment]\r\nMain Class=app.Main\r\n"
                           L"[Application]\r\nEmbedded Jar=yes\r\n",
               .classes = {{"app/Main", "method main\n  prop java.class.path\nend\n"}},
               .files = {{L"{app}\\lib\\notes.txt", "not a jar"}, {L"{app}\\from-env.jar", "PK"}},
               .environment = {{L"TARN_TEST_JAR", L"from-env.jar"}}};
    WStringList jars = {L"\\lib\\%TARN_TEST_JAR%.jar"};
    for (int i = 0; i < 600; ++i)
        jars.push_back(L"\\lib\\a-library-with-a-rather-long-name-as-real-projects-have-it-" + std::to_wstring(i) + L".jar");
    for (const WString& jar : jars) s.files.push_back({L"{app}" + jar, "PK"});
    Launch launch(std::move(s));
    const Outcome o = launch.Run();
    ExpectCleanEnd(o, 0);
    const WString app = launch.Folder();
    for (WString& jar : jars) jar = app + jar;
    std::sort(jars.begin(), jars.end());
    const WString classPath = PrintedValue(o, L"java.class.path");
    EXPECT_GT(classPath.size(), 40000u);
    WStringList entries = SplitList(classPath, L";");
    ASSERT_EQ(entries.size(), 605u) << o.trace.Text();
    EXPECT_EQ(entries[0], launch.ExePath());
    std::sort(entries.begin() + 1, entries.begin() + 602);
    EXPECT_EQ(WStringList(entries.begin() + 1, entries.begin() + 602), jars);
    EXPECT_EQ(WStringList(entries.begin() + 602, entries.end()),
              (WStringList{L"C:\\absent\\kept.jar", app + L"\\classes", app + L"\\from-env.jar"}));
    EXPECT_EQ(o.options.front(), ToUtf8(L"-Djava.class.path=" + classPath));
}

}  // namespace
}  // namespace tarn::test
