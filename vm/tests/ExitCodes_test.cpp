// How the Java program's end becomes the process exit code, when the VM is destroyed, when the
// program runs again, and what its process is to Windows (priority, taskbar identity).
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <tuple>

#include "base/Environment.h"
#include "launcher/SettingsStore.h"
#include "tests/kit/Dialogs.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

// A worker outlives main; the VM is destroyed once, after it has printed: on the launcher's main
// thread (the VM thread detached), or for a service on the VM thread. A launcher whose VM thread
// cannot start runs the program the same way on its main thread.
TEST(ExitCodes, TheVmIsDestroyedAfterTheProgramsThreadsOnTheThreadTheTypeNames) {
    const struct {
        const char* what;
        bool service, vmThread;
    } rows[] = {{"console", false, true}, {"service", true, true}, {"a launcher without a VM thread", false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const Outcome o = Launch({.settings = AppSettings(row.service ? L"[Application]\r\nApplication Type=service\r\n" : L""),
                                  .classes = {{"app/Main", "method main\n args\n thread 300 worker done\nend\n"}},
                                  .arguments = L"one \"two words\"",
                                  .launcher = row.vmThread ? L"" : BuildDir() + L"\\vm\\tarn_no_vm_thread.exe"})
                              .Run();
        ExpectCleanEnd(o, 0);
        EXPECT_EQ(o.out, (WStringList{L"one", L"two words", L"worker done"}));
        const int created = o.trace.Find("JNI_CreateJavaVM"), defaults = o.trace.Find("JNI_GetDefaultJavaVMInitArgs");
        const int destroyed = o.trace.Find("DestroyJavaVM returned");
        ASSERT_TRUE(created >= 0 && defaults >= 0 && destroyed >= 0) << o.trace.Text();
        EXPECT_LT(o.trace.Find("Print", "worker done"), destroyed);
        const DWORD mainThread = o.trace.Lines()[defaults].thread, vmThread = o.trace.Lines()[created].thread;
        EXPECT_EQ(vmThread != mainThread, row.vmThread);
        EXPECT_EQ(o.trace.Lines()[destroyed].thread, row.service ? vmThread : mainThread);
        EXPECT_EQ(o.trace.Named("DestroyJavaVM").size(), 1u);
    }
}

// Only a runtime from IBM's key keeps main's thread attached and the process running, whatever the
// provider allows: one from a Sun key ({app}\rt) or shipped beside the launcher ({app}\jre) ends.
TEST(ExitCodes, ThisVendorsRuntimesKeepTheVmThreadAttachedAndTheProcessRunning) {
    const WString ibm = L"Software\\IBM\\Java2 Runtime Environment", sun = L"Software\\JavaSoft\\Java Runtime Environment";
    for (const auto& [provider, runtime, key] : {std::tuple(L"ibm", L"{app}\\rt", ibm),
                                                 std::tuple(L"favor_sun", L"{app}\\rt", sun), std::tuple(L"ibm", L"{app}\\jre", sun)}) {
        SCOPED_TRACE(ToUtf8(provider) + " " + ToUtf8(runtime));
        Launch launch({.settings = AppSettings(L"VM Provider=" + WString(provider) + L"\r\n"),
                       .classes = {{"app/Main", "method main\n daemon 1000 still running\n out main returns\nend\n"}},
                       .runtimes = {{runtime, {}}},
                       .registry = {{View::Own, key, L"1.8", L"{app}\\rt"}}});
        const std::unique_ptr<ChildProcess> child = launch.Start(L"");
        if (key == sun) {
            ExpectCleanEnd(launch.Finish(*child), 0);
            continue;
        }
        // A daemon thread printing a second after main returned shows the process outlived main.
        EXPECT_TRUE(AwaitCondition([&] { return launch.ReadTrace().Has("Print", "still running"); }, 30000));
        const Trace trace = launch.ReadTrace();
        EXPECT_EQ(WaitForSingleObject(child->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
        EXPECT_TRUE(NoWarnings(trace) && trace.Has("CallStaticVoidMethod returned")) << trace.Text();
        EXPECT_FALSE(trace.Has("DetachCurrentThread") || trace.Has("DestroyJavaVM"));
    }
}

// App.exe hands over to Pair.exe, a second copy of the launcher with a Pair.ini of its own, because
// its "JRE Path" names a runtime of the other architecture.
Scenario Paired(const WString& appLines, const WString& pairLines, const std::string& main) {
    return {.settings = AppSettings(L"JRE Path={app}\\other\r\n[Application]\r\nPair Product={app}\\Pair.exe\r\n"
                                    L"Pair Return Code=Yes\r\n" + appLines),
            .classes = {{"app/Main", main}},
            .runtimes = {{L"{app}\\other", {.arch = Arch::Other}}, {L"{app}\\jre", {}}},
            .files = {{L"{app}\\Pair.exe", ReadBytes(LauncherExe())},
                      {L"{app}\\Pair.ini", Utf16Bytes(AppSettings(L"JRE Path={app}\\jre\r\n[Application]\r\n" + pairLines))}}};
}

bool Loads(DWORD process, const wchar_t* library) {
    const HandleHolder snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process));
    MODULEENTRY32W module{.dwSize = sizeof module};
    for (BOOL more = Module32FirstW(snapshot.get(), &module); more; more = Module32NextW(snapshot.get(), &module)) {
        if (_wcsicmp(module.szModule, library) == 0) return true;
    }
    return false;
}

// "Restart Exit Codes" (a run is the launcher started again with the same command line; an update,
// the class rewritten while the first run waits, tells runs apart), "Process Priority" and "App User
// Model ID", read from the first run's VM process while it waits. Wine's shell keeps no ID to read
// back: it records the call and its thread on the fixme channel (TARN_WINE_DEBUG_LOG, tests/wine-run.sh).
TEST(ExitCodes, RestartsPriorityAndTaskbarIdentityOfTheProgramsProcess) {
    const struct {
        const char* what;
        WString settings;  // [Application] lines, the paired product's too for a restart
        int asked;         // the code each run but the last ends with
        std::string update;  // the later runs' main; none: all runs alike
        int exitCode;
        size_t runs;
        bool paired = false;
        DWORD priority = NORMAL_PRIORITY_CLASS;
        WString id = L"";
    } rows[] = {
        {"a listed code: one run more, whose code the caller gets", L"Restart Exit Codes=23; 42\r\n", 23, "exit 5", 5, 2},
        {"an unlisted code", L"Restart Exit Codes=23,42\r\n", 7, "", 7, 1},
        {"a program that always asks: five restarts and a message", L"Restart Exit Codes=42\r\n", 42, "", 42, 6},
        {"through the paired product, which never restarts on its own", L"Restart Exit Codes=42\r\n", 42, "", 42, 6, true},
        {"idle", L"Process Priority=idle\r\n", 0, "", 0, 1, false, IDLE_PRIORITY_CLASS},
        {"below normal, in any letter case", L"Process Priority=Below Normal\r\n", 0, "", 0, 1, false, BELOW_NORMAL_PRIORITY_CLASS},
        {"normal", L"Process Priority=normal\r\n", 0, "", 0, 1, false, NORMAL_PRIORITY_CLASS},
        {"above normal", L"Process Priority=above normal\r\n", 0, "", 0, 1, false, ABOVE_NORMAL_PRIORITY_CLASS},
        {"high, and an ID", L"Process Priority=HIGH\r\nApp User Model ID=Vendor.Product\r\n", 0, "", 0, 1, false,
         HIGH_PRIORITY_CLASS, L"Vendor.Product"},
        {"the paired product takes both from its launcher", L"Process Priority=above normal\r\nApp User Model ID=V.Pair\r\n",
         0, "", 0, 1, true, ABOVE_NORMAL_PRIORITY_CLASS, L"V.Pair"},
    };
    const WString wineLog = GetEnvironment(L"TARN_WINE_DEBUG_LOG");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const Gate gate;
        const std::string main = "method main\n args\n await " + gate.Name() + "\n exit " + std::to_string(row.asked) + "\nend\n";
        Scenario s = row.paired ? Paired(row.settings, row.id.empty() ? row.settings : L"", main)
                                : Scenario{.settings = AppSettings(L"[Application]\r\n" + row.settings), .classes = {{"app/Main", main}}};
        s.environment = {{L"TARN_LAUNCHER_LOG", L"{app}\\start.log"}, {L"WINEDEBUG", L"fixme+shcore"}};
        Launch launch(std::move(s));
        const size_t wineLogStart = ReadBytes(wineLog).size();
        const auto process = launch.Start(L"one \"two words\"");
        ASSERT_TRUE(AwaitCondition([&] { return launch.ReadTrace().Has("Await"); }, 30000));
        const Trace first = launch.ReadTrace();
        const DWORD mainThread = first.Lines()[first.Find("JNI_GetDefaultJavaVMInitArgs")].thread;
        const HandleHolder thread(OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, mainThread));
        const HandleHolder vm(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, GetProcessIdOfThread(thread.get())));
        EXPECT_EQ(GetPriorityClass(vm.get()), row.priority);
        EXPECT_EQ(Loads(GetProcessId(vm.get()), L"shell32.dll"), !row.id.empty()) << "nothing loaded without an ID";
        // <thread, hex>:fixme:shcore:SetCurrentProcessExplicitAppUserModelID L"<id>": stub
        std::vector<DWORD> setters;
        for (const WString& line : SplitList(FromUtf8(ReadBytes(wineLog).substr(wineLogStart)), L"\n")) {
            if (line.find(L":SetCurrentProcessExplicitAppUserModelID L\"" + row.id + L"\": ") != WString::npos)
                setters.push_back(std::wcstoul(line.c_str(), nullptr, 16));
        }
        EXPECT_EQ(setters.size(), row.id.empty() ? 0u : row.paired ? 2u : 1u) << "the paired product and its launcher";
        EXPECT_EQ(std::count(setters.begin(), setters.end(), mainThread), row.id.empty() ? 0 : 1);
        if (!row.update.empty()) WriteClass(launch.Folder() + L"\\classes", "app/Main", "method main\n args\n " + row.update + "\nend\n");
        gate.Open();
        const Outcome o = launch.Finish(*process);
        EXPECT_TRUE(o.finished && o.exitCode == row.exitCode) << o.exitCode;
        EXPECT_EQ(o.DialogTexts(), row.runs < 6 ? WStringList{} : WStringList{
            L"Restarted more than 5 times within 5 minutes (exit code 42): not started again.\n"});
        EXPECT_EQ(o.out.size(), 2 * row.runs);  // "one" and "two words", run after run
        EXPECT_EQ(std::count(o.out.begin(), o.out.end(), L"two words"), row.runs);
        EXPECT_EQ(o.trace.Named("JNI_CreateJavaVM").size(), row.runs);
        // Each run's account, the supervisor's line for each restart, and its exit code last.
        const WStringList log = SplitList(FromUtf8(ReadBytes(launch.Expand(L"{app}\\start.log"))), L"\r\n");
        const size_t restarts = std::count_if(log.begin(), log.end(), [](const WString& l) { return l.starts_with(L"restart"); });
        EXPECT_TRUE(restarts + 1u == row.runs && static_cast<size_t>(std::count(log.begin(), log.end(), L"restart after exit code " +
                                                            std::to_wstring(row.asked))) == restarts) << restarts;
        EXPECT_TRUE(!log.empty() && log.back().starts_with(L"exit code: " + std::to_wstring(row.exitCode))) << ToUtf8(log.back());
    }
}

// The same launcher as a Windows service that the Service Control Manager starts and stops: what
// the SCM, the event log, the program and its files see, and never a window. While a row's program
// waits at its gate (in main, or before the VM exists), the test looks at the SCM, then opens the
// gate or sends Stop. Started from a command line, the same settings behave as before.
TEST(ExitCodes, AServiceReportsItsStartItsStopAndItsEndToTheServiceControlManager) {
    const WString source = L"Tarn Service Test";
    const std::string waits = "hook hook ran\n out running\n await {gate}";
    struct Row {
        const char* what;
        std::string main;  // app.Main's main; app.Main.stop is the "Service Stop Method" of some rows
        WString jre, application;  // lines of [Java Runtime Environment] and [Application]
        bool stop;                 // Stop while main waits
        int exitCode;  // of the process; the SCM's WIN32_EXIT_CODE and SERVICE_EXIT_CODE follow from it
        WStringList out = {}, events = {};
        std::string stopMethod = {};
        std::vector<RuntimeFolder> runtimes = {{L"{app}\\jre", {}}};
        bool fromCommandLine = false;
    } rows[] = {
        {"RUNNING while main runs, in the launcher's folder; its end stops the service with 0",
         "prop user.dir\n out running\n await {gate}", L"", L"", false, 0, {L"user.dir={app}", L"running"}},
        {"Stop: the shutdown hooks run, STOPPED with 0", waits, L"", L"", true, 0, {L"running", L"hook ran"}},
        {"Stop through the vendor's stop method, then System.exit(0)", waits, L"", L"Service Stop Method=app.Main.stop\r\n",
         true, 0, {L"running", L"stop method ran", L"hook ran"}, {}, "out stop method ran"},
        {"a program that ignores Stop is ended after Service Stop Timeout", waits, L"",
         L"Service Stop Method=app.Main.stop\r\nService Stop Timeout=2\r\n", true, 0, {L"running"},
         {L"The program did not end within 2 seconds of the request to stop the service, and was ended."}, "await {gate}"},
        {"System.exit(3): a service-specific error 3", "out running\n await {gate}\n exit 3", L"", L"", false, 3, {L"running"}},
        {"an exception escapes main: 1, and the report in the event log", "out running\n await {gate}\n throw java.lang.IllegalStateException boom",
         L"", L"Failure Check=Yes\r\n", false, 1, {L"running"},
         {L"The Java program's main method ended with an exception:\r\njava.lang.IllegalStateException: boom\r\n"
          L"\tat app.Main.main(Main.java:4)"}},
        {"START_PENDING while the VM is created; then it cannot be", "",
         L"Virtual Machine Parameters=-Dtarn.standin.createGate={gate} -Dtarn.standin.createResult=-6\r\n", L"", false, -1,
         {}, {L"JNI exception: failed to create the Java VM\r\nReason: invalid arguments."}},
        {"no runtime: the requirement, no dialog", "", L"Minimum Version=1.8\r\n", L"", false, -1, {},
         {L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE (minimum version 1.8) "
          L"from:\r\nhttps://adoptium.net/"}, {}, {}},
        {"a settings error", "", L"Main Class=\r\n", L"", false, -1, {}, {L"Main class was not specified in INI file."}},
        {"a main class the runtime cannot load: its own explanation", "", L"Main Class=com.example.Missing\r\n", L"", false, 1,
         {}, {L"Error: Could not find or load main class com.example.Missing\r\nCaused by: java.lang.ClassNotFoundException: "
              L"com.example.Missing"}},
        {"a paired product: no hand-over, which the SCM would not see", "", L"JRE Path={app}\\other\r\n",
         L"Pair Product={app}\\Pair.exe\r\n", false, -1, {}, {L"This service would hand its run over to the paired product "
         L"{app}\\Pair.exe, of which the Service Control Manager knows nothing: register that launcher itself as the service."},
         {}, {{L"{app}\\other", {.arch = Arch::Other}}}},
        {"a relative Output File lies in the launcher's folder", "out to the file", L"", L"Output File=out.log\r\n", false, 0},
        {"the same settings from a command line: the box, as before", "", L"Main Class=\r\n", L"", false, -1, {}, {}, {},
         {{L"{app}\\jre", {}}}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Gate gate;
        auto gated = [&](std::string text) {
            if (const size_t at = text.find("{gate}"); at != std::string::npos) text.replace(at, 6, gate.Name());
            return text;
        };
        Launch launch({.settings = L"[Product Information]\r\nProduct Name=" + source + L"\r\n" +
                                   AppSettings(FromUtf8(gated(ToUtf8(row.jre))) + L"[Application]\r\nApplication Type=service\r\n" +
                                               row.application),
                       .classes = {{"app/Main", "method main\n " + gated(row.main) + "\nend\nmethod stop\n " + gated(row.stopMethod) + "\nend\n"}},
                       .runtimes = row.runtimes, .timeoutMs = 30000, .service = !row.fromCommandLine});
        const std::unique_ptr<ChildProcess> process = launch.Start(L"");
        const bool waitsInMain = row.main.find("{gate}") != std::string::npos;
        if (waitsInMain || row.jre.find(L"{gate}") != WString::npos) {
            ASSERT_TRUE(AwaitCondition([&] { return launch.ReadTrace().Has("Await"); }, 30000));
            const SERVICE_STATUS_PROCESS status = launch.ServiceStatus();
            EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(waitsInMain ? SERVICE_RUNNING : SERVICE_START_PENDING));
            // Checkpoints have risen; a stop is taken once main runs.
            EXPECT_TRUE(waitsInMain ? (status.dwControlsAccepted & SERVICE_ACCEPT_STOP) != 0
                                    : status.dwCheckPoint > 1 && status.dwWaitHint > 0 && status.dwControlsAccepted == 0);
            EXPECT_TRUE(row.stop ? launch.ControlService(SERVICE_CONTROL_STOP) : (gate.Open(), true));
        }
        const Outcome o = launch.Finish(*process);
        EXPECT_TRUE(o.finished);
        EXPECT_EQ(o.DialogTexts(), row.fromCommandLine ? WStringList{L"Main class was not specified in INI file."} : WStringList{});
        // A program that ends at once may be gone before the test can hold its process.
        EXPECT_EQ(o.processHeld ? o.exitCode : row.exitCode, row.exitCode);
        EXPECT_EQ(o.serviceExitCode, row.fromCommandLine || row.exitCode == 0 ? 0u : 1066u);
        EXPECT_EQ(o.serviceSpecificExitCode, row.fromCommandLine || row.exitCode == 0 ? 0u : static_cast<DWORD>(row.exitCode));
        WStringList out, events;
        for (const WString& line : row.out) out.push_back(launch.Expand(line));
        for (const WString& line : row.events) events.push_back(launch.Expand(line));
        EXPECT_EQ(o.out, out);
        EXPECT_EQ(o.events, events);
        EXPECT_EQ(ReadOutputLines(launch.Expand(L"{app}\\out.log")),
                  std::vector<std::string>(row.application.find(L"Output File") != WString::npos, "to the file"));
        // The stop runs on a thread of its own attached to the VM: the stop method, then System.exit(0).
        const int attached = o.trace.Find("AttachCurrentThreadAsDaemon", "name=\"Service Stop\"");
        const int stopMethod = o.trace.Find("CallStaticVoidMethod", "app/Main.stop("), exited = o.trace.Find("System.exit", "0");
        EXPECT_EQ(attached >= 0, row.stop);
        EXPECT_EQ(stopMethod >= 0, !row.stopMethod.empty());
        EXPECT_EQ(exited >= 0, row.stop && row.events.empty());  // unless the program ignored the stop
        for (const int step : {stopMethod, exited})
            EXPECT_TRUE(attached < 0 || step < 0 || o.trace.Lines()[step].thread == o.trace.Lines()[attached].thread);
        // Event Viewer finds the events' text in the launcher's own message table.
        wchar_t messageFile[MAX_PATH] = L"";
        DWORD size = sizeof messageFile;
        RegGetValueW(HKEY_LOCAL_MACHINE, (L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + source).c_str(),
                     L"EventMessageFile", RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, messageFile, &size);
        EXPECT_TRUE(row.events.empty() || messageFile == launch.ExePath());
    }
}

}  // namespace
}  // namespace tarn::test
