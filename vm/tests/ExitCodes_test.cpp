// How the Java program's end becomes the process exit code, and when the VM is destroyed.
#include <gtest/gtest.h>

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

// A worker outlives main; the VM is destroyed once, after it has printed: on the launcher's
// main thread (the VM thread detached), or for a service on the VM thread.
TEST(ExitCodes, TheVmIsDestroyedAfterTheProgramsThreadsOnTheThreadTheTypeNames) {
    for (const bool service : {false, true}) {
        SCOPED_TRACE(service ? "service" : "console");
        const Outcome o = Launch({.settings = AppSettings(service ? L"[Application]\r\nApplication Type=service\r\n" : L""),
                                  .classes = {{"app/Main", "method main\n thread 300 worker done\n out main returns\nend\n"}}})
                              .Run();
        ExpectCleanEnd(o, 0);
        const int main = o.trace.Find("Print", "main returns"), worker = o.trace.Find("Print", "worker done");
        const int destroyed = o.trace.Find("DestroyJavaVM returned");
        ASSERT_TRUE(main >= 0 && worker >= 0 && destroyed >= 0) << o.trace.Text();
        EXPECT_LT(worker, destroyed);
        EXPECT_EQ(o.trace.Lines()[destroyed].thread == VmThreadOf(o.trace), service);
        EXPECT_EQ(o.trace.Named("DestroyJavaVM").size(), 1u);
    }
}

TEST(ExitCodes, ThisVendorsRuntimesKeepTheVmThreadAttachedAndTheProcessRunning) {
    // Only a runtime registered under IBM's key; the same settings with any other runtime end.
    Launch launch({.settings = AppSettings(L"VM Provider=ibm\r\n"),
                   .classes = {{"app/Main", "method main\n daemon 1000 still running\n out main returns\nend\n"}},
                   .runtimes = {{L"{app}\\rt", {}}},
                   .registry = {{View::Own, L"Software\\IBM\\Java2 Runtime Environment", L"1.8", L"{app}\\rt"}}});
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
