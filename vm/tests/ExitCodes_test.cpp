// How the Java program's end becomes the process exit code, and when the VM is destroyed.
#include <gtest/gtest.h>

#include <tuple>

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

}  // namespace
}  // namespace tarn::test
