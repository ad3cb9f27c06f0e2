// The console launcher as a command-line user meets it: its standard streams captured, its exit code
// read, Ctrl+C sent to its console; no window may appear.
#include <gtest/gtest.h>

#include "base/Handles.h"
#include "tests/kit/Dialogs.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"

namespace tarn::test {
namespace {

const WString kUserFile = L"{appdata}\\Console Test\\{C0}\\Tool.ini";
const WString kRestart = L"[Application]\r\nRestart Exit Codes=23\r\n";
const WString kRedirected = L"[Application]\r\nOutput File={app}\\out.log\r\nError File={app}\\err.log\r\n";

TEST(Console, StreamsExitCodesAndMessagesOfTheConsoleLauncher) {
    HandleHolder never(CreateEventW(nullptr, TRUE, FALSE, L"tarn-console-never"));
    struct Row {
        const char* what;
        std::string script;  // app.Main's main
        WString settings, arguments;
        std::string input;  // standard input
        int exitCode;
        std::string out = {}, err = {};  // err: on the test's console's screen when onConsole
        std::vector<RuntimeFolder> runtimes = {{L"{app}\\jre", {}}};
        bool onConsole = false;
    } rows[] = {
        {"both streams; System.exit(3)", "out hello\nerr careful\nexit 3\nout after", L"", L"", "", 3, "hello\r\n", "careful\r\n"},
        {"main throws: 1 once its thread has ended, and no report window", "thread 100 worker done\nthrow java.lang.IllegalStateException boom",
         L"[Application]\r\nFailure Check=Yes\r\n", L"", "", 1, "worker done\r\n",
         "Exception in thread \"main\" java.lang.IllegalStateException: boom\r\n\tat app.Main.main(Main.java:3)\r\n"},
        {"standard input", "in\nin\nin", L"", L"", "first line\r\nzweite Zeile ü\n", 0, "first line\r\nzweite Zeile ü\r\nnull\r\n"},
        // Only spaces separate words; a quote opens a word and the next one ends it; no escapes.
        {"arguments: non-Latin text and the word rules", "args", L"",
         L"\"two words\" 日本語 Ünï a\tb a\"b c\" \"ab\"cd \"C:\\path\\\" x \"\" \"open to the end", "", 0,
         "two words\r\n日本語\r\nÜnï\r\na\tb\r\na\"b\r\nc\"\r\nab\r\ncd\r\nC:\\path\\\r\nx\r\n\r\nopen to the end\r\n"},
        {"a configuration error", "", L"Main Class=\r\n", L"", "", -1, "", "Main class was not specified in INI file.\r\n"},
        {"no runtime", "", L"Minimum Version=1.8\r\nMaximum Version=1.8.0.0\r\n", L"", "", -1, "", "The Java Runtime Environment "
         "(JRE) was not found. Please  download and install a JRE (version 1.8 is required) from:\r\nhttps://adoptium.net/\r\n", {}},
        {"Output File and Error File win", "out to a file\nerr to another", kRedirected, L"", "", 0},
        {"Ctrl+C: the hook runs, the VM's code", "hook hook ran\nout ready\nawait tarn-console-never", L"", L"", "", 130, "ready\r\nhook ran\r\n"},
        // A supervisor that restarts the program leaves the standard handles and Ctrl+C to each run.
        {"restarts: each run reads the next line; the bound's message", "in\nexit 23", kRestart, L"", "1\n2\n3\n4\n5\n6\n7\n", 23,
         "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n",
         "Restarted more than 5 times within 5 minutes (exit code 23): not started again.\r\n"},
        {"restarts: Ctrl+C reaches the run", "hook hook ran\nout ready\nawait tarn-console-never", kRestart, L"", "", 130,
         "ready\r\nhook ran\r\n"},
        {"a console shows a message's non-Latin text; the name in it is no format", "", L"Main Class=app.Ünïcödé日本%s%d%n\r\n",
         L"", "", -1, "", "Could not find the main class app/Ünïcödé日本%s%d%n.", {{L"{app}\\jre", {.variant = JvmVariant::NoLauncherHelper}}}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Launch launch({.settings = L"[Product Information]\r\nProduct Name=Console Test\r\nProduct Code={C0}\r\n" + AppSettings(row.settings),
                       .classes = {{"app/Main", "method main\n" + row.script + "\nend\n"}}, .runtimes = row.runtimes,
                       .environment = {{L"JAVA_HOME", L""}}, .exeName = L"Tool.exe", .launcher = BuildDir() + L"\\tarnc64.exe", .input = row.input,
                       .errorOnConsole = row.onConsole});
        std::unique_ptr<ChildProcess> process = launch.Start(row.arguments);
        if (row.exitCode == 130) {
            ASSERT_TRUE(AwaitCondition([&] { return launch.ReadTrace().Has("Await"); }, 30000));
            EXPECT_TRUE(SendCtrlC());
        }
        const Outcome o = launch.Finish(*process);
        ExpectCleanEnd(o, row.exitCode);  // no window either
        EXPECT_EQ(o.stdoutBytes, row.out);
        EXPECT_EQ(o.stderrBytes, row.onConsole ? "" : row.err);
        EXPECT_TRUE(!row.onConsole || ConsoleScreenText().find(FromUtf8(row.err)) != WString::npos);
        // The VM's end awaited the thread; Ctrl+C reached the VM's handler.
        EXPECT_TRUE(row.exitCode != 1 || o.trace.Find("Print", "worker done") < o.trace.Find("DestroyJavaVM returned"));
        EXPECT_EQ(o.trace.Has("ConsoleEvent", "0"), row.exitCode == 130);
        EXPECT_EQ(ReadBytes(launch.Expand(L"{app}\\out.log")) + ReadBytes(launch.Expand(L"{app}\\err.log")),
                  row.settings == kRedirected ? "to a file\r\nto another\r\n" : "");
        // Nothing written, also without a runtime (no dialog, no choice to remember).
        EXPECT_FALSE(FileExists(launch.Expand(kUserFile)));
    }
}

}  // namespace
}  // namespace tarn::test
