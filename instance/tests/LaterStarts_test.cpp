// Single-instance mode through the real launcher: a running instance started as a child process,
// later starts of the same path as further runs, the stand-in's trace as the record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "base/Handles.h"
#include "instance/InstanceNames.h"
#include "tests/kit/TextFiles.h"
#include "vm/tests/LaunchKit.h"

namespace tarn::test {
namespace {

// A named event that the stand-in waits for ("await NAME", or the VM creation gate).
class TestEvent {
public:
    TestEvent() : name_("tarn-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count_)) {
        event_.reset(CreateEventA(nullptr, TRUE, FALSE, name_.c_str()));
    }
    const std::string& Name() const { return name_; }
    void Set() const { SetEvent(event_.get()); }

private:
    static inline int count_ = 0;
    std::string name_;
    HandleHolder event_;
};

// Until the trace holds count lines of that name (at most 30 s).
bool AwaitTrace(const LaunchApp& app, const char* name, size_t count = 1) {
    for (int i = 0; i < 600; ++i, Sleep(50)) {
        if (app.ReadTrace().Named(name).size() >= count) return true;
    }
    return false;
}

std::unique_ptr<ChildProcess> Start(const LaunchApp& app, const WString& arguments) {
    RunOptions options;
    options.environment = app.Environment();
    return std::make_unique<ChildProcess>(app.ExePath(), arguments, options);
}

RunResult Finish(ChildProcess& process) {
    RunOptions options;
    options.timeoutMs = 60000;
    return process.Wait(options);
}

// A program whose main waits for the test's "end"; later starts talk to it meanwhile.
struct Instance {
    LaunchApp app;
    TestEvent end;
    std::unique_ptr<ChildProcess> running;

    Instance(const WString& settings, const std::string& secondary, const std::string& afterEnd = "",
             const WString& vmParameters = L"") {
        app.WriteIni(L"Virtual Machine Parameters=" + vmParameters + L"\r\n[Application]\r\n" + settings);
        app.WriteMain("method main\n  out main\n  await " + end.Name() + "\n" + afterEnd + "end\n" + secondary);
        running = Start(app, L"first");
    }
    // Lets main return and checks the clean end: exit code, no dialog, no JNI misuse.
    Trace End(int exitCode = 0) {
        end.Set();
        const RunResult result = Finish(*running);
        EXPECT_TRUE(result.finished);
        EXPECT_EQ(result.ExitCode(), exitCode);
        EXPECT_EQ(result.DialogTexts(), WStringList{});
        Trace trace = app.ReadTrace();
        EXPECT_TRUE(NoWarnings(trace));
        return trace;
    }
};

const std::string kVoidForm = "method secondaryMain\n  args\nend\n";
const std::string kIntForm = "method secondaryMain int\n  args\n  return 7\nend\n";

struct LaterStartRow {
    const char* name;
    std::string secondary;
    WString arguments;
    int laterExit;
    WStringList arrived;  // what main ("main") and secondaryMain printed
};

TEST(LaterStarts, HandTheirArgumentsToTheRunningInstance) {
    const WString fits(518, L'\u4e2d');  // 1,036 bytes, its NUL and the list's NUL: 1,040
    const LaterStartRow rows[] = {
        {"void form", kVoidForm, L"a \"b c\" \u00e4\u4e2d", 0, {L"main", L"a", L"b c", L"\u00e4\u4e2d"}},
        {"int form", kIntForm, L"x", 7, {L"main", L"x"}},
        {"no arguments: one empty one", kVoidForm, L"", 0, {L"main", L""}},
        {"an empty argument ends the list", kVoidForm, L"a \"\" b", 0, {L"main", L"a"}},
        {"1,040 bytes", kIntForm, fits, 7, {L"main", fits}},
        {"1,042 bytes: refused", kIntForm, fits + L"x", -1, {L"main"}},
    };
    for (const LaterStartRow& row : rows) {
        SCOPED_TRACE(row.name);
        Instance instance(L"Single Instance=yes\r\n", row.secondary);
        ASSERT_TRUE(AwaitTrace(instance.app, "Await"));
        const RunResult later = instance.app.Run(row.arguments);
        EXPECT_TRUE(later.finished);
        EXPECT_EQ(later.ExitCode(), row.laterExit);
        EXPECT_EQ(later.DialogTexts(), WStringList{});
        const Trace trace = instance.End();
        EXPECT_EQ(Printed(trace), row.arrived) << trace.Text();
        EXPECT_EQ(trace.Named("JNI_CreateJavaVM").size(), 1u) << "a later start loads no VM";
    }
}

TEST(LaterStarts, WithoutSecondaryMainWaitForTheRunningInstancesEnd) {
    Instance instance(L"Single Instance=yes\r\n", "", "  exit 5\n");
    ASSERT_TRUE(AwaitTrace(instance.app, "Await"));
    const auto later = Start(instance.app, L"x");
    // The worker finds no secondaryMain: no reply, so the later start is still waiting.
    ASSERT_TRUE(AwaitTrace(instance.app, "DetachCurrentThread returned"));
    EXPECT_EQ(WaitForSingleObject(later->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    instance.End(5);
    const RunResult result = Finish(*later);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.ExitCode(), 5);
}

struct OffRow {
    const char* name;
    WString settings;
};

TEST(LaterStarts, ModeOffGivesIndependentInstances) {
    const OffRow rows[] = {
        {"Yes with a capital", L"Single Instance=Yes\r\n"},
        {"a service", L"Single Instance=yes\r\nApplication Type=service\r\n"},
    };
    for (const OffRow& row : rows) {
        SCOPED_TRACE(row.name);
        Instance instance(row.settings, kIntForm);
        ASSERT_TRUE(AwaitTrace(instance.app, "Await"));
        const auto second = Start(instance.app, L"second");
        EXPECT_TRUE(AwaitTrace(instance.app, "Await", 2)) << "the second start reaches a main of its own";
        const Trace trace = instance.End();
        EXPECT_EQ(Finish(*second).ExitCode(), 0);
        EXPECT_EQ(trace.Named("JNI_CreateJavaVM").size(), 2u);
        EXPECT_EQ(FindCall(trace, "CallStaticIntMethod"), -1) << trace.Text();
    }
}

TEST(LaterStarts, CopiesInDifferentFoldersAreIndependent) {
    Instance one(L"Single Instance=yes\r\n", kIntForm);
    Instance two(L"Single Instance=yes\r\n", kIntForm);
    ASSERT_TRUE(AwaitTrace(one.app, "Await") && AwaitTrace(two.app, "Await"));
    EXPECT_EQ(two.app.Run(L"to-two").ExitCode(), 7);
    EXPECT_EQ(Printed(one.End()), WStringList{L"main"});
    EXPECT_EQ(Printed(two.End()), (WStringList{L"main", L"to-two"}));
}

TEST(LaterStarts, SeveralAtOnceEachGetTheirOwnAnswer) {
    Instance instance(L"Single Instance=yes\r\n", kIntForm);
    ASSERT_TRUE(AwaitTrace(instance.app, "Await"));
    std::vector<std::unique_ptr<ChildProcess>> later;
    WStringList sent;
    for (int i = 0; i < 5; ++i) {
        sent.push_back(L"start-" + std::to_wstring(i));
        later.push_back(Start(instance.app, sent.back()));
    }
    for (auto& process : later) {
        const RunResult result = Finish(*process);
        EXPECT_TRUE(result.finished);
        EXPECT_EQ(result.ExitCode(), 7);
    }
    WStringList arrived = Printed(instance.End());
    arrived.erase(std::find(arrived.begin(), arrived.end(), L"main"));
    std::sort(arrived.begin(), arrived.end());
    EXPECT_EQ(arrived, sent) << "each start's arguments arrive once";
}

TEST(LaterStarts, BeforeMainTheRequestWaitsForTheMainStartedMoment) {
    TestEvent gate;
    Instance instance(L"Single Instance=yes\r\n", kIntForm, "", L"-Dtarn.standin.createGate=" + FromUtf8(gate.Name()));
    ASSERT_TRUE(AwaitTrace(instance.app, "Await"));  // held inside the VM's creation
    const auto later = Start(instance.app, L"early");
    // Handed over once its arguments are in the shared block.
    HandleHolder mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, InstanceBaseName(instance.app.ExePath()).c_str()));
    ASSERT_TRUE(mapping);
    ViewHolder view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    const auto* area = static_cast<const wchar_t*>(view.get()) + 6;
    for (int i = 0; i < 600 && WString(area, 6) != WString(L"early\0", 6); ++i) Sleep(50);
    EXPECT_EQ(WString(area, 6), WString(L"early\0", 6));
    EXPECT_EQ(WaitForSingleObject(later->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    gate.Set();
    EXPECT_EQ(Finish(*later).ExitCode(), 7);
    const Trace trace = instance.End();
    // Everything the VM thread did before calling main precedes the worker's first step.
    const int main = FindCall(trace, "CallStaticVoidMethod", ".main(");
    const int attach = trace.Find("AttachCurrentThread");
    ASSERT_TRUE(main > 0 && attach > 0) << trace.Text();
    const DWORD vmThread = trace.Lines()[main].thread;
    int lastBeforeMain = main - 1;
    while (trace.Lines()[lastBeforeMain].thread != vmThread) --lastBeforeMain;
    EXPECT_GT(attach, lastBeforeMain) << trace.Text();
    EXPECT_GT(FindCall(trace, "CallStaticIntMethod", "secondaryMain"), attach);
}

TEST(LaterStarts, AGarbageBlockHurtsNeitherSide) {
    Instance instance(L"Single Instance=yes\r\n", "method secondaryMain int\n  argc\n  return 7\nend\n");
    ASSERT_TRUE(AwaitTrace(instance.app, "Await"));
    HandleHolder mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, InstanceBaseName(instance.app.ExePath()).c_str()));
    ASSERT_TRUE(mapping);
    ViewHolder view(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
    auto* block = static_cast<uint8_t*>(view.get());
    // An argument area without one NUL, then a request posted by hand: no argument can be read
    // out of it, and the answer comes all the same.
    std::fill(block + 12, block + 2092, uint8_t{0x41});
    DWORD listener = 0;
    UINT message = 0;
    std::memcpy(&listener, block, 4);
    std::memcpy(&message, block + 8, 4);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    ASSERT_TRUE(PostThreadMessageW(listener, message, GetCurrentThreadId(), 0));
    bool replied = false;
    for (int i = 0; i < 600 && !(replied = PeekMessageW(&msg, nullptr, message, message, PM_REMOVE)); ++i) Sleep(50);
    ASSERT_TRUE(replied);
    EXPECT_EQ(msg.wParam, 7u);
    // A header of garbage: the later start fails cleanly, and the running instance still ends.
    std::fill(block, block + 2092, uint8_t{0xA5});
    const RunResult later = instance.app.Run(L"x");
    EXPECT_TRUE(later.finished);
    EXPECT_EQ(later.ExitCode(), -1);
    EXPECT_EQ(later.DialogTexts(), WStringList{});
    EXPECT_EQ(Printed(instance.End()), (WStringList{L"main", L"0"}));
}

}  // namespace
}  // namespace tarn::test
