// How the Java program's end becomes the process exit code, and when the VM is destroyed.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"

namespace tarn::test {
namespace {

// The thread that created the VM (the VM thread), from the trace.
DWORD VmThreadOf(const Trace& trace) {
    const int at = trace.Find("JNI_CreateJavaVM");
    return at < 0 ? 0 : trace.Lines()[at].thread;
}

TEST(ExitCodes, SystemExitEndsTheProcessWithItsCodeThroughTheExitHook) {
    const Outcome o = Launch({.settings = AppSettings(),
                              .classes = {{"app/Main", "method main\n out bye\n exit 7\n out never\nend\n"}}})
                          .Run();
    ExpectCleanEnd(o, 7);
    EXPECT_EQ(o.out, WStringList{L"bye"});
    // The hook is called and, with no listener, returns; the launcher never gets to detach.
    EXPECT_TRUE(o.trace.Has("ExitHook", "7")) << o.trace.Text();
    EXPECT_FALSE(o.trace.Has("DetachCurrentThread"));
}

TEST(ExitCodes, AnUncaughtExceptionWithoutFailureCheckIsPrintedAndTheRunEndsWithZero) {
    const Outcome o =
        Launch({.settings = AppSettings(L"[Application]\r\nFailure Check=no\r\n"),
                .classes = {{"app/Main", "method main\n throw java.lang.IllegalStateException broken state\nend\n"}}})
            .Run();
    ExpectCleanEnd(o, 0);
    ASSERT_EQ(o.err.size(), 1u) << o.trace.Text();
    EXPECT_EQ(o.err[0].rfind(L"Exception in thread \"main\" java.lang.IllegalStateException: broken state", 0), 0u);
    // Still pending when the VM thread leaves, as for any Java thread whose run method throws.
    const int detach = o.trace.Find("DetachCurrentThread");
    ASSERT_GE(detach, 0);
    EXPECT_LT(detach, o.trace.Find("Print", "Exception in thread"));
}

TEST(ExitCodes, ANonDaemonThreadKeepsTheProcessUntilItEnds) {
    // The worker waits until main has printed its line and the VM thread has detached (trace events).
    const Outcome o = Launch({.settings = AppSettings(),
                              .classes = {{"app/Main", "method main\n thread 300 worker done\n out main returns\nend\n"}}})
                          .Run();
    ExpectCleanEnd(o, 0);
    WStringList out = o.out;
    std::sort(out.begin(), out.end());
    EXPECT_EQ(out, (WStringList{L"main returns", L"worker done"}));
    // The VM thread detaches; the main thread's DestroyJavaVM waits for the worker.
    const int worker = o.trace.Find("Print", "worker done");
    const int destroyed = o.trace.Find("DestroyJavaVM returned");
    ASSERT_TRUE(worker >= 0 && destroyed >= 0) << o.trace.Text();
    EXPECT_LT(worker, destroyed);
    EXPECT_NE(o.trace.Lines()[destroyed].thread, VmThreadOf(o.trace));
}

TEST(ExitCodes, AServiceDestroysTheVmOnTheVmThreadAfterItsThreads) {
    const Outcome o = Launch({.settings = AppSettings(L"[Application]\r\nApplication Type=service\r\n"),
                              .classes = {{"app/Main", "method main\n thread 300 service worker done\nend\n"}}})
                          .Run();
    ExpectCleanEnd(o, 0);
    const int worker = o.trace.Find("Print", "service worker done");
    const int destroyed = o.trace.Find("DestroyJavaVM returned");
    ASSERT_TRUE(worker >= 0 && destroyed >= 0) << o.trace.Text();
    EXPECT_LT(worker, destroyed);
    EXPECT_EQ(o.trace.Lines()[destroyed].thread, VmThreadOf(o.trace));
    EXPECT_EQ(o.trace.Named("DestroyJavaVM").size(), 1u);
}

TEST(ExitCodes, ThisVendorsRuntimesKeepTheVmThreadAttachedAndTheProcessRunning) {
    Launch launch({.settings = AppSettings(L"VM Provider=ibm\r\n"),
                   .classes = {{"app/Main", "method main\n daemon 1000 still running\n out main returns\nend\n"}}});
    std::unique_ptr<ChildProcess> child = launch.Start(L"");
    ASSERT_TRUE(child->Started());
    // A daemon thread printing a second after main returned shows the process outlived main.
    Trace trace = launch.ReadTrace();
    for (int i = 0; i < 600 && !trace.Has("Print", "still running"); ++i, trace = launch.ReadTrace()) Sleep(50);
    EXPECT_TRUE(trace.Has("Print", "still running")) << trace.Text();
    EXPECT_EQ(WaitForSingleObject(child->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(NoWarnings(trace));
    EXPECT_TRUE(trace.Has("CallStaticVoidMethod returned"));
    EXPECT_FALSE(trace.Has("DetachCurrentThread"));
    EXPECT_FALSE(trace.Has("DestroyJavaVM"));
}

TEST(ExitCodes, WithOrWithoutAVmThreadTheProgramRunsTheSame) {
    for (const bool vmThread : {true, false}) {
        SCOPED_TRACE(vmThread ? "the real launcher" : "a launcher without a VM thread");
        const Outcome o = Launch({.settings = AppSettings(),
                                  .classes = {{"app/Main", "method main\n args\n thread 100 worker done\nend\n"}},
                                  .arguments = L"one \"two words\"",
                                  .launcher = vmThread ? L"" : BuildDir() + L"\\vm\\tarn_no_vm_thread.exe"})
                              .Run();
        ExpectCleanEnd(o, 0);
        EXPECT_EQ(o.out, (WStringList{L"one", L"two words", L"worker done"}));
        const int defaults = o.trace.Find("JNI_GetDefaultJavaVMInitArgs");
        ASSERT_GE(defaults, 0) << o.trace.Text();
        EXPECT_EQ(VmThreadOf(o.trace) != o.trace.Lines()[defaults].thread, vmThread);
        EXPECT_EQ(o.trace.Lines()[o.trace.Find("DestroyJavaVM")].thread, o.trace.Lines()[defaults].thread);
    }
}

}  // namespace
}  // namespace tarn::test
