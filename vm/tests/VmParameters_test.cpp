// "Virtual Machine Parameters" as the VM receives them, memory shares against this machine, and
// the stack the VM thread gets.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/kit/TextFiles.h"
#include "vm/tests/LaunchKit.h"

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

TEST(VmParameters, QuotedTokensAndMemorySharesReachTheVmInWrittenOrder) {
    LaunchApp app;
    app.WriteIni(
        L"Virtual Machine Parameters=-Xmx50:16:1000000P  \"-Dapp.home=C:\\Program Files\\App\" -Xms1:8:64T "
        L"-Dq=\"a\"\"b\" -Dpath=%TARN_TEST_DIR%\\x -Xss8m\r\n");
    app.WriteMain("method main\n  prop app.home\n  prop q\n  prop path\nend\n");
    const Trace trace = RunCleanly(app, 0, L"", {{L"TARN_TEST_DIR", L"D:\\data"}});

    const unsigned long long half = MemoryStatus().dwTotalPhys / 1024 * 50 / 100;
    const unsigned long long physicalShare = std::max(std::min(half, 1000000ull * 1024), 16ull * 1024);
    const std::vector<std::string> options = VmOptionTexts(trace);
    ASSERT_EQ(options.size(), 9u) << trace.Text();
    EXPECT_EQ(options[1], "-Xmx" + std::to_string(physicalShare) + "K");
    EXPECT_EQ(options[2], "-Dapp.home=C:\\Program Files\\App");
    EXPECT_EQ(options[3], "-Xms65536K");  // 1% of the free address space is above the 64 MB maximum
    EXPECT_EQ(options[4], "-Dq=a\"b\"");
    EXPECT_EQ(options[5], "-Dpath=D:\\data\\x");
    EXPECT_EQ(options[6], "-Xss8m");
    EXPECT_EQ(Printed(trace), (WStringList{L"app.home=C:\\Program Files\\App", L"q=a\"b\"", L"path=D:\\data\\x"}));
    EXPECT_EQ(CreatingThreadStack(trace), 8ull << 20);
}

// A number that does not fit is never turned into another size: the VM gets the option as written
// and rejects it itself.
TEST(VmParameters, SharesWithNumbersBeyond32BitsReachTheVmAsWritten) {
    for (const char* share : {"-Xmx4294967346P", "-Xmx4294967296P", "-Xmx50:4294967297:0P"}) {
        LaunchApp app;
        app.WriteIni(L"Virtual Machine Parameters=" + FromUtf8(share) + L"\r\n");
        app.WriteMain("method main\nend\n");
        const RunResult result = app.Run();
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.ExitCode(), -1);
        EXPECT_EQ(result.DialogTexts(), WStringList{L"JNI exception: failed to create the Java VM\nReason: invalid arguments.\n"});
        const Trace trace = app.ReadTrace();
        EXPECT_TRUE(NoWarnings(trace));
        EXPECT_EQ(VmOptionTexts(trace).at(1), share) << trace.Text();
    }
}

TEST(VmParameters, AStackBeyond32BitsIsTheStackTheVmIsTold) {
    LaunchApp app;
    app.WriteIni(L"Virtual Machine Parameters=-Xss5g\r\n");
    app.WriteMain("method main\nend\n");
    EXPECT_EQ(CreatingThreadStack(RunCleanly(app, 0)), 5ull << 30);
}

TEST(VmParameters, AShareOfTheFreeAddressSpaceFollowsThisProcess) {
    LaunchApp app;
    app.WriteIni(L"Virtual Machine Parameters=-Xmx1T\r\n");
    app.WriteMain("method main\nend\n");
    const Trace trace = RunCleanly(app, 0);
    const std::vector<std::string> options = VmOptionTexts(trace);
    ASSERT_EQ(options.size(), 4u) << trace.Text();
    ASSERT_EQ(options[1].rfind("-Xmx", 0), 0u);
    ASSERT_EQ(options[1].back(), 'K');
    // Another process's free address space differs a little from this one's.
    const double expected = static_cast<double>(MemoryStatus().dwAvailVirtual / 1024) / 100.0;
    const double got = std::stod(options[1].substr(4));
    EXPECT_NEAR(got, std::min(expected, 4294967295.0), expected * 0.01) << options[1];
}

TEST(VmParameters, WithoutXssTheVmThreadGetsTheVmsDefaultStack) {
    LaunchApp app;
    app.WriteIni(L"");
    app.WriteMain("method main\nend\n");
    const Trace trace = RunCleanly(app, 0, L"", {{L"TARN_STANDIN_DEFAULT_STACK", L"6291456"}});
    EXPECT_TRUE(trace.Has("JNI_GetDefaultJavaVMInitArgs", "version=0x00010001")) << trace.Text();
    EXPECT_EQ(CreatingThreadStack(trace), 6ull << 20);
}

TEST(VmParameters, ANonPositiveDefaultOrAnUnreadableXssLeavesTheSystemDefault) {
    for (const wchar_t* defaultStack : {L"0", L"-65536"}) {
        LaunchApp app;
        app.WriteIni(L"Virtual Machine Parameters=-Xss6m -Xss1:2k\r\n");
        app.WriteMain("method main\nend\n");
        const RunResult result = app.Run(L"", {{L"TARN_STANDIN_DEFAULT_STACK", defaultStack}});
        ASSERT_TRUE(result.finished);
        const Trace trace = app.ReadTrace();
        // The VM itself rejects "-Xss1:2k": creation fails after the thread was started.
        EXPECT_EQ(result.ExitCode(), -1);
        EXPECT_EQ(result.DialogTexts(), WStringList{L"JNI exception: failed to create the Java VM\nReason: invalid arguments.\n"});
        EXPECT_TRUE(NoWarnings(trace));
        EXPECT_EQ(CreatingThreadStack(trace), ExecutableStackReserve(app.ExePath())) << trace.Text();
    }
}

}  // namespace
}  // namespace tarn::test
