// How the Java program's end becomes the process exit code, and when the VM is destroyed.
#include <gtest/gtest.h>

#include "tests/kit/Dialogs.h"
#include "tests/kit/Locations.h"
#include "vm/tests/LaunchKit.h"

namespace tarn::test {
namespace {

// The thread that created the VM (the VM thread), from the trace.
DWORD VmThreadOf(const Trace& trace) {
    const int at = trace.Find("JNI_CreateJavaVM");
    return at < 0 ? 0 : trace.Lines()[at].thread;
}

// Whether the call of main has come back to the launcher.
bool MainReturned(const Trace& trace) {
    const int call = FindCall(trace, "CallStaticVoidMethod", ".main(");
    if (call < 0) return false;
    for (int i = call + 1; i < static_cast<int>(trace.Lines().size()); ++i) {
        const std::string& name = trace.Lines()[i].name;
        if (name.rfind("CallStaticVoidMethod", 0) == 0 && name.size() > 9 && name.substr(name.size() - 9) == " returned") {
            return true;
        }
    }
    return false;
}

TEST(ExitCodes, SystemExitEndsTheProcessWithItsCodeThroughTheExitHook) {
    LaunchApp app;
    app.WriteIni(L"");
    app.WriteMain("method main\n  out bye\n  exit 7\n  out never\nend\n");
    const Trace trace = RunCleanly(app, 7);
    EXPECT_EQ(Printed(trace), WStringList{L"bye"});
    // The hook is called and, with no listener, returns; the launcher never gets to detach.
    EXPECT_TRUE(trace.Has("ExitHook", "7")) << trace.Text();
    EXPECT_TRUE(trace.Has("ExitHook returned"));
    EXPECT_FALSE(trace.Has("DetachCurrentThread"));
}

TEST(ExitCodes, AnUncaughtExceptionWithoutFailureCheckIsPrintedAndTheRunEndsWithZero) {
    LaunchApp app;
    app.WriteIni(L"[Application]\r\nFailure Check=no\r\n");
    app.WriteMain("method main\n  out before\n  throw java.lang.IllegalStateException broken state\nend\n");
    const Trace trace = RunCleanly(app, 0);
    const WStringList errors = Printed(trace, "stderr");
    ASSERT_EQ(errors.size(), 1u) << trace.Text();
    EXPECT_EQ(errors[0].rfind(L"Exception in thread \"main\" java.lang.IllegalStateException: broken state", 0), 0u)
        << Utf8(errors[0]);
    // Still pending when the VM thread leaves, as for any Java thread whose run method throws.
    const int detach = trace.Find("DetachCurrentThread");
    ASSERT_GE(detach, 0);
    EXPECT_LT(detach, trace.Find("Print", "Exception in thread"));
}

TEST(ExitCodes, ANonDaemonThreadKeepsTheProcessUntilItEnds) {
    LaunchApp app;
    app.WriteIni(L"");
    app.WriteMain("method main\n  thread 1500 worker done\n  out main returns\nend\n");
    const Trace trace = RunCleanly(app, 0);
    EXPECT_EQ(Printed(trace), (WStringList{L"main returns", L"worker done"}));
    // The VM thread detaches at once; the main thread's DestroyJavaVM waits for the worker.
    const int detached = trace.Find("DetachCurrentThread returned");
    const int worker = trace.Find("Print", "worker done");
    const int destroyed = trace.Find("DestroyJavaVM returned");
    ASSERT_TRUE(detached >= 0 && worker >= 0 && destroyed >= 0) << trace.Text();
    EXPECT_LT(detached, worker);
    EXPECT_LT(worker, destroyed);
    EXPECT_NE(trace.Lines()[destroyed].thread, VmThreadOf(trace));
}

TEST(ExitCodes, AServiceDestroysTheVmOnTheVmThreadAfterItsThreads) {
    LaunchApp app;
    app.WriteIni(L"[Application]\r\nApplication Type=service\r\n");
    app.WriteMain("method main\n  thread 1000 service worker done\nend\n");
    const Trace trace = RunCleanly(app, 0);
    const int worker = trace.Find("Print", "service worker done");
    const int destroyed = trace.Find("DestroyJavaVM returned");
    ASSERT_TRUE(worker >= 0 && destroyed >= 0) << trace.Text();
    EXPECT_LT(worker, destroyed);
    EXPECT_EQ(trace.Lines()[destroyed].thread, VmThreadOf(trace));
    EXPECT_EQ(trace.Named("DestroyJavaVM").size(), 1u);
}

TEST(ExitCodes, ThisVendorsRuntimesKeepTheVmThreadAttachedAndTheProcessRunning) {
    LaunchApp app;
    app.WriteIni(L"VM Provider=ibm\r\n");
    app.WriteMain("method main\n  out main returns\nend\n");
    RunOptions options;
    options.environment = app.Environment();
    ChildProcess child(app.ExePath(), L"", options);  // killed at the end of the test
    ASSERT_TRUE(child.Started());
    // Wait until main has returned to the VM thread; then the process must stay.
    Trace trace = app.ReadTrace();
    for (int i = 0; i < 300 && !MainReturned(trace); ++i) {
        Sleep(100);
        trace = app.ReadTrace();
    }
    ASSERT_TRUE(MainReturned(trace)) << trace.Text();
    EXPECT_EQ(WaitForSingleObject(child.Handle(), 2000), static_cast<DWORD>(WAIT_TIMEOUT));
    trace = app.ReadTrace();
    EXPECT_TRUE(NoWarnings(trace));
    EXPECT_EQ(Printed(trace), WStringList{L"main returns"});
    EXPECT_FALSE(trace.Has("DetachCurrentThread"));
    EXPECT_FALSE(trace.Has("DestroyJavaVM"));
    EXPECT_TRUE(FindDialogs(child.Id()).empty());
}

TEST(ExitCodes, WithoutAVmThreadTheVmRunsOnTheMainThreadWithTheSameResults) {
    LaunchApp app({}, BuildDir() + L"\\vm\\tarn_no_vm_thread.exe");
    app.WriteIni(L"");
    app.WriteMain("method main\n  args\n  thread 500 worker done\nend\n");
    const Trace trace = RunCleanly(app, 0, L"one \"two words\"");
    EXPECT_EQ(Printed(trace), (WStringList{L"one", L"two words", L"worker done"}));
    const int defaults = trace.Find("JNI_GetDefaultJavaVMInitArgs");
    ASSERT_GE(defaults, 0) << trace.Text();
    EXPECT_EQ(VmThreadOf(trace), trace.Lines()[defaults].thread);
}

TEST(ExitCodes, TheRealLauncherCreatesTheVmOnAThreadOfItsOwn) {
    LaunchApp app;
    app.WriteIni(L"");
    app.WriteMain("method main\nend\n");
    const RunResult result = app.Run();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.ExitCode(), 0);
    const Trace trace = app.ReadTrace();
    EXPECT_TRUE(NoWarnings(trace));
    const int defaults = trace.Find("JNI_GetDefaultJavaVMInitArgs");
    ASSERT_GE(defaults, 0) << trace.Text();
    EXPECT_NE(VmThreadOf(trace), trace.Lines()[defaults].thread);
    EXPECT_EQ(trace.Lines()[trace.Find("DestroyJavaVM")].thread, trace.Lines()[defaults].thread);
}

}  // namespace
}  // namespace tarn::test
