// "Virtual Machine Parameters" against this machine: memory shares of its memory, and the stack the
// VM thread gets. The parameters as the VM receives them are rows of Hosting_test.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "tests/kit/Scenario.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

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

TEST(VmParameters, MemorySharesOfThisMachineAndTheVmThreadsStack) {
    struct Row {
        const char* what;
        WString parameters;
        const wchar_t* defaultStack;  // the VM's default, TARN_STANDIN_DEFAULT_STACK; empty: not asked for
        unsigned long long stack;     // 0: the executable's own reserve
    } rows[] = {
        {"without -Xss the VM's default", L"", L"6291456", 6ull << 20},
        {"a zero default and an unreadable -Xss leave the system's", L"-Xss6m -Xss1:2k", L"0", 0},
        {"so does a negative default", L"-Xss6m -Xss1:2k", L"-65536", 0},
        {"shares of this machine's memory in written order, and a stack beyond 32 bits, whole",
         L"-Xmx50:16:1000000P  -Dx=\"a b\" -Xms1T -Xss5g", L"", 5ull << 30},
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
        if (!row.parameters.starts_with(L"-Xmx")) continue;
        ASSERT_EQ(o.options.size(), 7u) << o.trace.Text();  // [0] the class path, [5] and [6] the hooks
        MEMORYSTATUS memory{.dwLength = sizeof memory};
        GlobalMemoryStatus(&memory);
        const unsigned long long half = memory.dwTotalPhys / 1024 * 50 / 100;
        EXPECT_EQ(o.options[1], "-Xmx" + std::to_string(std::max(std::min(half, 1000000ull * 1024), 16ull * 1024)) + "K");
        EXPECT_EQ(o.options[2], "-Dx=a b");
        // 1% of the free address space, which differs a little between this process and the launcher.
        ASSERT_TRUE(o.options[3].starts_with("-Xms") && o.options[3].ends_with("K")) << o.options[3];
        const double expected = static_cast<double>(memory.dwAvailVirtual / 1024) / 100.0;
        EXPECT_NEAR(std::stod(o.options[3].substr(4)), std::min(expected, 4294967295.0), expected * 0.01) << o.options[3];
        EXPECT_EQ(o.options[4], "-Xss5g");
    }
}

}  // namespace
}  // namespace tarn::test
