// "Virtual Machine Parameters" as the VM receives them, memory shares against this machine, and
// the stack the VM thread gets.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

MEMORYSTATUS MemoryStatus() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return status;
}

// The stack reserve the thread calling JNI_CreateJavaVM had, as the stand-in measured it.
unsigned long long CreatingThreadStack(const Trace& trace) {
    const int at = trace.Find("JNI_CreateJavaVM", "threadStack=");
    if (at < 0) return 0;
    const std::string& detail = trace.Lines()[at].detail;
    return std::stoull(detail.substr(detail.find("threadStack=") + 12));
}

// The stack reserve of a thread that asks for none: the executable's own.
unsigned long long ExecutableStackReserve(const WString& exe) {
    const std::string image = ReadBytes(exe);
    const auto peOffset = *reinterpret_cast<const uint32_t*>(image.data() + 0x3C);
    // IMAGE_OPTIONAL_HEADER64.SizeOfStackReserve lies 72 bytes into the optional header.
    return *reinterpret_cast<const uint64_t*>(image.data() + peOffset + 24 + 72);
}

TEST(VmParameters, MemorySharesOfThisMachineAndTheStackReachTheVmInWrittenOrder) {
    const Outcome o = Launch({.settings = AppSettings(L"Virtual Machine Parameters=-Xmx50:16:1000000P  -Dx=\"a b\" "
                                                      L"-Xms1T -Xss8m\r\n"),
                              .classes = {{"app/Main", "method main\nend\n"}}})
                          .Run();
    ExpectCleanEnd(o, 0);
    const unsigned long long half = MemoryStatus().dwTotalPhys / 1024 * 50 / 100;
    const unsigned long long physicalShare = std::max(std::min(half, 1000000ull * 1024), 16ull * 1024);
    ASSERT_EQ(o.options.size(), 7u) << o.trace.Text();
    EXPECT_EQ(o.options[1], "-Xmx" + std::to_string(physicalShare) + "K");
    EXPECT_EQ(o.options[2], "-Dx=a b");
    // 1% of the free address space, which differs a little between this process and the launcher.
    ASSERT_EQ(o.options[3].rfind("-Xms", 0), 0u);
    ASSERT_EQ(o.options[3].back(), 'K');
    const double expected = static_cast<double>(MemoryStatus().dwAvailVirtual / 1024) / 100.0;
    EXPECT_NEAR(std::stod(o.options[3].substr(4)), std::min(expected, 4294967295.0), expected * 0.01) << o.options[3];
    EXPECT_EQ(o.options[4], "-Xss8m");
}

TEST(VmParameters, TheVmThreadsStack) {
    struct Row {
        const char* what;
        WString parameters;
        const wchar_t* defaultStack;  // the VM's default, TARN_STANDIN_DEFAULT_STACK; empty: not asked for
        unsigned long long stack;     // 0: the executable's own reserve
    } rows[] = {
        {"without -Xss the VM's default", L"", L"6291456", 6ull << 20},
        {"a zero default and an unreadable -Xss leave the system's", L"-Xss6m -Xss1:2k", L"0", 0},
        {"so does a negative default", L"-Xss6m -Xss1:2k", L"-65536", 0},
        {"a size beyond 32 bits, whole", L"-Xss5g", L"", 5ull << 30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Launch launch({.settings = AppSettings(L"Virtual Machine Parameters=" + row.parameters + L"\r\n"),
                       .classes = {{"app/Main", "method main\nend\n"}},
                       .environment = {{L"TARN_STANDIN_DEFAULT_STACK", row.defaultStack}}});
        const Outcome o = launch.Run();
        EXPECT_EQ(o.trace.Has("JNI_GetDefaultJavaVMInitArgs", "version=0x00010001"), *row.defaultStack != L'\0');
        EXPECT_EQ(CreatingThreadStack(o.trace), row.stack ? row.stack : ExecutableStackReserve(launch.ExePath()));
        // The VM itself rejects "-Xss1:2k": creation fails after the thread was started.
        EXPECT_EQ(o.exitCode, row.stack ? 0 : -1);
    }
}

// The whole lines of the discovery log.
WStringList LogLines(const WString& path) {
    WStringList lines;
    for (const std::string& line : ReadOutputLines(path)) lines.push_back(FromUtf8(line));
    return lines;
}

// The log's java command split as the C runtime splits a command line, without java.exe.
WStringList JavaCommandWords(const WStringList& log, WString& java) {
    const WString prefix = L"java command: ";
    const auto line = std::find_if(log.begin(), log.end(), [&](const WString& l) { return l.rfind(prefix, 0) == 0; });
    if (line == log.end()) return {L"<no java command>"};
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(line->substr(prefix.size()).c_str(), &count);
    WStringList split(words, words + count);
    LocalFree(words);
    java = split.front();
    return WStringList(split.begin() + 1, split.end());
}

struct TodayRow {
    const char* what;
    WString settings;  // AppSettings(settings)
    int exitCode = 0;
    std::vector<std::string> options = {};  // what the VM received but the class path and the hooks
    WStringList messages = {};              // the boxes; for the console launcher its standard error
    std::vector<std::pair<WString, std::string>> files = {};
    std::vector<std::pair<WString, WString>> environment = {};
    std::string version = "21.0.2";
    std::string main = "out main ran";
    WStringList out = {};
    std::vector<std::string> trace = {};  // lines the stand-in traced: name, tab, detail
    WStringList log = {};                 // whole lines of the discovery log
    WStringList javaCommand = {};         // the log's java command after java.exe
    WString arguments = L"";
    bool console = false;
    bool explorer = false;  // no standard handles, as started from the Explorer
    JvmVariant variant = JvmVariant::Full;
    bool appendJar = false;  // the jar appended to the executable
};

// One start of the table below, checked against everything its row expects.
void StartsAsItsRowSays(const TodayRow& row, const std::string& jar, const WString& notice) {
    std::vector<std::pair<WString, WString>> environment = row.environment;
    environment.push_back({L"TARN_LAUNCHER_LOG", L"{app}\\start.log"});
    Launch launch({.settings = AppSettings(row.settings), .classes = {{"app/Main", "method main\n " + row.main + "\nend\n"}},
                   .arguments = row.arguments, .runtimes = {{L"{app}\\jre", {.variant = row.variant, .version = row.version}}},
                   .files = row.files,
                   .environment = environment, .launcher = row.console ? BuildDir() + L"\\tarnc64.exe" : WString(),
                   .input = row.console ? std::optional<std::string>("") : std::nullopt, .noStandardHandles = row.explorer});
    if (row.appendJar) WriteBytes(launch.ExePath(), ReadBytes(launch.ExePath()) + jar);
    const Outcome o = launch.Run();
    EXPECT_TRUE(o.finished);
    EXPECT_EQ(o.exitCode, row.exitCode) << o.trace.Text();
    WStringList messages = o.DialogTexts();
    if (row.console && !o.stderrBytes.empty()) messages = {FromUtf8(o.stderrBytes.substr(0, o.stderrBytes.size() - 2))};
    EXPECT_EQ(messages, launch.Expand(row.messages));
    if (!row.out.empty()) {
        EXPECT_EQ(o.out, row.out);
    }
    if (o.trace.Has("JNI_CreateJavaVM")) {
        std::vector<std::string> options;
        for (const std::string& option : o.options) {
            if (option.rfind("-Djava.class.path=", 0) != 0 && option != "abort" && option != "exit") options.push_back(option);
        }
        std::vector<std::string> expected;
        for (const std::string& option : row.options) expected.push_back(ToUtf8(launch.Expand(FromUtf8(option))));
        EXPECT_EQ(options, expected);
    }
    for (const std::string& line : row.trace) {
        const std::string expected = ToUtf8(launch.Expand(FromUtf8(line)));
        EXPECT_TRUE(o.trace.Has(expected.substr(0, expected.find('\t')), expected.substr(expected.find('\t') + 1))) << expected;
    }
    const WStringList log = LogLines(launch.Expand(L"{app}\\start.log"));
    for (const WString& line : launch.Expand(row.log)) EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << ToUtf8(line);
    if (row.version.rfind("1.8", 0) == 0) {
        EXPECT_EQ(std::find(log.begin(), log.end(), notice), log.end());
    }
    if (!row.javaCommand.empty()) {
        WString java;
        EXPECT_EQ(JavaCommandWords(log, java), launch.Expand(row.javaCommand));
        EXPECT_EQ(java, launch.Expand(L"{app}\\jre\\bin\\java.exe"));
    }
}

// Programs of today, started as the JDK's own java command starts them. The oracles: java.c
// (ParseArguments, IsModuleOption: the folding and java's own options), args.c (argument files,
// JDK_JAVA_OPTIONS), LauncherHelper.java with launcher.properties (jar and module mode and their
// messages), emessages.h (java's texts for JDK_JAVA_OPTIONS), hotspot's arguments.cpp (what a VM
// takes through JNI, JAVA_TOOL_OPTIONS) and System.initPhase2 (an unknown module). {app} is the
// product folder; the runtime states its version in its release file.
TEST(VmParameters, TodaysProgramsStartAsWithTheJavaCommand) {
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
                                     "-Dcont=\"one \\\r\n    two\" -Dtab=\"a\\tb\"\r\n";
    const WString gated = parameters(L"[9+]--add-opens java.base/java.lang=ALL-UNNAMED [22+]--enable-native-access=ALL-UNNAMED "
                                     L"[-8]-XX:MaxPermSize=256m");
    const std::pair<WString, WString> variable = {L"JDK_JAVA_OPTIONS", L"--add-modules java.sql -Dfrom=variable"};
    const WString notice = L"NOTE: Picked up JDK_JAVA_OPTIONS: --add-modules java.sql -Dfrom=variable";
    const TodayRow rows[] = {
        {.what = "each module option java takes as two words reaches the VM as one, and the VM is created",
         .settings = parameters(L"--add-opens java.base/java.lang=ALL-UNNAMED --add-exports java.base/sun.nio.ch=ALL-UNNAMED "
                                L"--add-reads app=ALL-UNNAMED --add-modules java.sql --limit-modules java.base,java.sql "
                                L"--patch-module java.base=patch --enable-native-access ALL-UNNAMED -p mods --module-path more "
                                L"--upgrade-module-path up"),
         .options = {"--add-opens=java.base/java.lang=ALL-UNNAMED", "--add-exports=java.base/sun.nio.ch=ALL-UNNAMED",
                     "--add-reads=app=ALL-UNNAMED", "--add-modules=java.sql", "--limit-modules=java.base,java.sql",
                     "--patch-module=java.base=patch", "--enable-native-access=ALL-UNNAMED", "--module-path=mods",
                     "--module-path=more", "--upgrade-module-path=up"},
         .out = {L"main ran"}},
        {.what = "the = form unchanged; old spellings in today's form", .settings = parameters(L"--add-opens=java.base/java.util=A -verbosegc -Xdiag"),
         .options = {"--add-opens=java.base/java.util=A", "-verbose:gc", "-Dsun.java.launcher.diag=true"}},
        {.what = "an option of the java command itself, with the setting to use", .settings = parameters(L"-Xmx64m -jar app.jar"),
         .exitCode = -1,
         .messages = {L"\"Virtual Machine Parameters\": -jar is an option of the java command itself, not of the Java VM: "
                      L"name the jar in \"Main Jar\" instead.\n"}},
        {.what = "a main module by name: its ModuleMainClass runs", .settings = modular(L"app.core"),
         .options = {"--module-path={app}\\mods", "-Djdk.module.main=app.core"}, .files = modules, .out = {L"in the module"},
         .javaCommand = {L"-cp", L"{app}\\classes;", L"--module-path={app}\\mods", L"-m", L"app.core"}},
        {.what = "a main module by name and class", .settings = modular(L"app.core/app.core.Other"),
         .options = {"--module-path={app}\\mods", "-Djdk.module.main=app.core"}, .files = modules, .out = {L"other class"}},
        {.what = "an unknown module: the runtime's own explanation in the box", .settings = modular(L"app.missing"),
         .exitCode = 1, .options = {"--module-path={app}\\mods", "-Djdk.module.main=app.missing"},
         .messages = {L"Error occurred during initialization of boot layer\njava.lang.module.FindException: Module app.missing not found"},
         .files = modules, .explorer = true},
        {.what = "a class the launcher helper cannot load: its words in the box", .settings = L"Main Class=com.example.Missing\r\n",
         .exitCode = 1,
         .messages = {L"Error: Could not find or load main class com.example.Missing\nCaused by: java.lang.ClassNotFoundException: "
                      L"com.example.Missing"},
         .explorer = true},
        {.what = "a main jar: the runtime applies its manifest", .settings = L"Main Class=\r\nMain Jar=app.jar\r\n[Class Path]\r\nClass Path=\r\n",
         .files = {{L"{app}\\app.jar", jar}}, .version = "25", .out = {L"from the jar", L"two words", L"plain"},
         .trace = {"Option\t-Djava.class.path={app}\\app.jar", "LauncherHelper\taddOpensToAllUnnamed java.base/java.lang",
                   "LauncherHelper\taddOpensToAllUnnamed java.base/java.util", "LauncherHelper\taddEnableNativeAccessToAllUnnamed"},
         .javaCommand = {L"-jar", L"{app}\\app.jar", L"two words", L"plain"}, .arguments = L"\"two words\" plain"},
        {.what = "the executable itself as the main jar", .settings = L"Main Class=\r\n[Class Path]\r\nClass Path=\r\n[Application]\r\nEmbedded Jar=Yes\r\n",
         .version = "25", .out = {L"from the jar"}, .trace = {"Option\t-Djava.class.path={app}\\App.exe"}, .appendJar = true},
        {.what = "a main jar and a class path", .settings = L"Main Class=\r\nMain Jar=app.jar\r\n", .exitCode = -1,
         .messages = {L"\"Main Jar\" starts the jar as the java command's -jar does: the jar's manifest (Class-Path) names the rest "
                      L"of the class path, and \"Class Path\" cannot add to it. Remove \"Class Path\", or name the main class in "
                      L"\"Main Class\" instead.\n"}},
        {.what = "a main jar on a runtime without the launcher helper", .settings = L"Main Class=\r\nMain Jar=app.jar\r\n[Class Path]\r\nClass Path=\r\n",
         .exitCode = -1,
         .messages = {L"This program needs Java 9 or later: it uses \"Main Jar\", which the Java runtime in {app}\\jre cannot start.\n"},
         .files = {{L"{app}\\app.jar", jar}}, .variant = JvmVariant::NoLauncherHelper},
        {.what = "two main settings", .settings = L"Main Class=app.Main\r\nMain Module=app.core\r\n", .exitCode = -1,
         .messages = {L"The settings name both \"Main Class\" and \"Main Module\", but a program starts from one of them only: keep one.\n"}},
        {.what = "an argument file: quotes, comments, escapes and a continued line", .settings = parameters(L"@args.txt -Dafter=1"),
         .options = {"-Dq=a b", "-Dsingle=x \"y\"", "--add-modules=java.sql", "-Dcont=one two", "-Dtab=a\\tb", "-Dafter=1"},
         .files = {{L"{app}\\args.txt", argumentFile}}},
        {.what = "a missing argument file", .settings = parameters(L"@missing.txt"), .exitCode = -1,
         .messages = {L"Failed to read the argument file {app}\\missing.txt: File not found (errno = 2).\n"}},
        {.what = "JDK_JAVA_OPTIONS on runtime 21: before the settings, with java's notice", .settings = parameters(L"-Dfrom=settings"),
         .options = {"--add-modules=java.sql", "-Dfrom=variable", "-Dfrom=settings"}, .messages = {notice}, .environment = {variable},
         .log = {notice}, .console = true},
        {.what = "JDK_JAVA_OPTIONS may not name a main entry", .settings = L"", .exitCode = -1,
         .messages = {L"Error: Option -jar is not allowed in environment variable JDK_JAVA_OPTIONS\n"},
         .environment = {{L"JDK_JAVA_OPTIONS", L"-Dx=1 -jar app.jar"}}},
        {.what = "JDK_JAVA_OPTIONS on runtime 8: not read", .settings = parameters(L"-Dfrom=settings"), .options = {"-Dfrom=settings"},
         .environment = {variable}, .version = "1.8.0_392", .console = true},
        {.what = "gates on runtime 8", .settings = gated, .options = {"-XX:MaxPermSize=256m"}, .version = "1.8.0_392"},
        {.what = "gates on runtime 17", .settings = gated, .options = {"--add-opens=java.base/java.lang=ALL-UNNAMED"}, .version = "17.0.9"},
        {.what = "gates on runtime 25", .settings = gated,
         .options = {"--add-opens=java.base/java.lang=ALL-UNNAMED", "--enable-native-access=ALL-UNNAMED"}, .version = "25"},
        {.what = "gates on a runtime of unknown version: taken as the newest", .settings = gated,
         .options = {"--add-opens=java.base/java.lang=ALL-UNNAMED", "--enable-native-access=ALL-UNNAMED"}, .version = ""},
        {.what = "a module setting on runtime 8", .settings = modular(L"app.core"), .exitCode = -1,
         .messages = {L"This program needs Java 9 or later: it uses \"Main Module\", and the Java runtime in {app}\\jre is version 1.8.0.392.\n"},
         .files = modules, .version = "1.8.0_392"},
        {.what = "JAVA_TOOL_OPTIONS stays the runtime's: it reads the variable itself", .settings = L"",
         .environment = {{L"JAVA_TOOL_OPTIONS", L"-Dtool=\"from the tool variable\""}}, .main = "prop tool",
         .out = {L"tool=from the tool variable"}},
        {.what = "... where a VM refuses two words as every runtime does", .settings = L"", .exitCode = -1,
         .messages = {L"JNI exception: failed to create the Java VM\nReason: unknown.\n"},
         .environment = {{L"JAVA_TOOL_OPTIONS", L"--add-opens java.base/java.lang=ALL-UNNAMED"}},
         .trace = {"VmMessage\tUnrecognized option: --add-opens"}},
        {.what = "the log's java command splits back into the options and arguments given",
         .settings = parameters(L"\"-Dspace=a b\" \"-Dback=C:\\my dir\\\" -Damp=a&b -Dquote=x\"y"),
         .options = {"-Dspace=a b", "-Dback=C:\\my dir\\", "-Damp=a&b", "-Dquote=x\"y"},
         .javaCommand = {L"-cp", L"{app}\\classes;", L"-Dspace=a b", L"-Dback=C:\\my dir\\", L"-Damp=a&b", L"-Dquote=x\"y", L"app.Main",
                         L"two words", L"", L"x"},
         .arguments = L"\"two words\" \"\" x"},
    };
    for (const TodayRow& row : rows) {
        SCOPED_TRACE(row.what);
        StartsAsItsRowSays(row, jar, notice);
    }
}

}  // namespace
}  // namespace tarn::test
