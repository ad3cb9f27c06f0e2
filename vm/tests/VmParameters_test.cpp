// "Virtual Machine Parameters" as the VM receives them, memory shares against this machine, and
// the stack the VM thread gets.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/kit/TextFiles.h"
#include "tests/kit/Scenario.h"

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

TEST(VmParameters, MemorySharesAndStackReachTheVmInWrittenOrder) {
    const Outcome o = Launch({.settings = AppSettings(L"Virtual Machine Parameters=-Xmx50:16:1000000P  -Dx=\"a b\" "
                                                      L"-Xms1:8:64T -Xss8m\r\n"),
                              .classes = {{"app/Main", "method main\nend\n"}}})
                          .Run();
    ExpectCleanEnd(o, 0);
    const unsigned long long half = MemoryStatus().dwTotalPhys / 1024 * 50 / 100;
    const unsigned long long physicalShare = std::max(std::min(half, 1000000ull * 1024), 16ull * 1024);
    ASSERT_EQ(o.options.size(), 7u) << o.trace.Text();
    EXPECT_EQ(std::vector<std::string>(o.options.begin() + 1, o.options.end() - 2),
              (std::vector<std::string>{"-Xmx" + std::to_string(physicalShare) + "K", "-Dx=a b",
                                        "-Xms65536K",  // 1% of the free address space is above the 64 MB maximum
                                        "-Xss8m"}));
    EXPECT_EQ(CreatingThreadStack(o.trace), 8ull << 20);
}

TEST(VmParameters, AShareOfTheFreeAddressSpaceFollowsThisProcess) {
    const Outcome o = Launch({.settings = AppSettings(L"Virtual Machine Parameters=-Xmx1T\r\n"),
                              .classes = {{"app/Main", "method main\nend\n"}}})
                          .Run();
    ExpectCleanEnd(o, 0);
    ASSERT_EQ(o.options.size(), 4u) << o.trace.Text();
    ASSERT_EQ(o.options[1].rfind("-Xmx", 0), 0u);
    ASSERT_EQ(o.options[1].back(), 'K');
    // Another process's free address space differs a little from this one's.
    const double expected = static_cast<double>(MemoryStatus().dwAvailVirtual / 1024) / 100.0;
    EXPECT_NEAR(std::stod(o.options[1].substr(4)), std::min(expected, 4294967295.0), expected * 0.01) << o.options[1];
}

TEST(VmParameters, TheVmThreadsStack) {
    struct Row {
        const char* what;
        WString parameters;
        const wchar_t* defaultStack;  // the VM's default, TARN_STANDIN_DEFAULT_STACK
        unsigned long long stack;     // 0: the executable's own reserve
    } rows[] = {
        {"without -Xss the VM's default", L"", L"6291456", 6ull << 20},
        {"a zero default and an unreadable -Xss leave the system's", L"-Xss6m -Xss1:2k", L"0", 0},
        {"so does a negative default", L"-Xss6m -Xss1:2k", L"-65536", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Launch launch({.settings = AppSettings(L"Virtual Machine Parameters=" + row.parameters + L"\r\n"),
                       .classes = {{"app/Main", "method main\nend\n"}},
                       .environment = {{L"TARN_STANDIN_DEFAULT_STACK", row.defaultStack}}});
        const Outcome o = launch.Run();
        EXPECT_TRUE(o.trace.Has("JNI_GetDefaultJavaVMInitArgs", "version=0x00010001")) << o.trace.Text();
        EXPECT_EQ(CreatingThreadStack(o.trace), row.stack ? row.stack : ExecutableStackReserve(launch.ExePath()));
        // The VM itself rejects "-Xss1:2k": creation fails after the thread was started.
        EXPECT_EQ(o.exitCode, row.stack ? 0 : -1);
    }
}

}  // namespace
}  // namespace tarn::test
