// Single-instance mode through the real launcher: a running instance started as a child process,
// later starts of the same path as further runs, the stand-in's trace as the record.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "base/Handles.h"
#include "instance/ArgumentArea.h"
#include "instance/InstanceNames.h"
#include "tests/kit/Dialogs.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

// A program whose main waits for the test's "end"; later starts talk to it meanwhile. Its classes
// folder is also the module app.core, whose main class it is, for a start in module mode.
struct Instance {
    Gate end;
    Launch launch;
    std::unique_ptr<ChildProcess> running;

    Instance(const WString& settings, const std::string& secondary, const std::string& afterEnd = "", const WString& jre = L"")
        : launch({.settings = AppSettings(jre + L"[Application]\r\n" + settings),
                  .classes = {{"app/Main", "method main\n  out main\n  await " + end.Name() + "\n" + afterEnd +
                                               "end\n" + secondary}},
                  .files = {{L"{app}\\classes\\module-info.class", "module app.core\nmain app.Main\n"}},
                  .timeoutMs = 15000}),  // every run here ends within seconds, or hangs on a fault
          running(launch.Start(L"first")) {}
    // Until the trace holds count lines of that name (at most 30 s).
    bool Reached(const char* name, size_t count = 1) const {
        return AwaitCondition([&] { return launch.ReadTrace().Named(name).size() >= count; }, 30000);
    }
    // Lets main go on; the run ends cleanly and the stand-in saw no JNI misuse.
    Outcome End(int exitCode = 0) {
        end.Open();
        Outcome outcome = launch.Finish(*running);
        ExpectCleanEnd(outcome, exitCode);
        return outcome;
    }
};

// The running instance's shared block, as any process of the session can open it.
struct SharedBlock {
    HandleHolder mapping;
    ViewHolder view{mapping ? MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 0) : nullptr};
    uint8_t* Bytes() const { return static_cast<uint8_t*>(view.get()); }
};
SharedBlock OpenBlock(const Launch& launch) {
    return {HandleHolder(OpenFileMappingW(FILE_MAP_WRITE, FALSE, InstanceBaseName(launch.ExePath()).c_str()))};
}

const std::string kVoidForm = "method secondaryMain\n  args\nend\n";
const std::string kIntForm = "method secondaryMain int\n  args\n  return 7\nend\n";
const WString kOn = L"Single Instance=yes\r\n";

struct LaterStartRow {
    const char* name;
    std::string secondary;
    WString arguments;
    int laterExit;
    WStringList printed;       // by main ("main", once per instance) and by secondaryMain
    std::string afterEnd = "";  // main's last commands; a later start without reply waits for them
    WString settings = kOn;
    size_t vms = 1;  // 2: the later start is an instance of its own (and waits in its own main)
    WString jre = L"";  // lines of [Java Runtime Environment]
};

TEST(LaterStarts, HandTheirArgumentsToTheRunningInstanceWhenTheModeIsOn) {
    const WString fits(518, L'\u4e2d');  // 1,036 bytes and its NUL; with the list's NUL 1,040
    const LaterStartRow rows[] = {
        {"void form", kVoidForm, L"a \"b c\" \u00e4\u4e2d", 0, {L"main", L"a", L"b c", L"\u00e4\u4e2d"}},
        {"no arguments: one empty one", kVoidForm, L"", 0, {L"main", L""}},
        {"int form, arguments of 1,038 bytes", kIntForm, fits, 7, {L"main", fits}},
        {"1,040 bytes: refused", kIntForm, fits + L"x", -1, {L"main"}},
        {"no secondaryMain: the running instance's exit code", "", L"x", 5, {L"main"}, "  exit 5\n"},
        {"off: Yes in another letter case", kIntForm, L"x", 0, {L"main", L"main"}, "", L"Single Instance=Yes\r\n", 2},
        {"off: a service", kIntForm, L"x", 0, {L"main", L"main"}, "",
         L"Single Instance=yes\r\nApplication Type=service\r\n", 2},
        // The runtime's launcher helper chooses the main class; later starts still reach its secondaryMain.
        {"a module's main class", kIntForm, L"x", 7, {L"main", L"x"}, "", kOn, 1,
         L"Main Class=\r\nMain Module=app.core\r\n[Class Path]\r\nClass Path=\r\nModule Path=classes\r\n"},
    };
    for (const LaterStartRow& row : rows) {
        SCOPED_TRACE(row.name);
        Instance instance(row.settings, row.secondary, row.afterEnd, row.jre);
        ASSERT_TRUE(instance.Reached("Await"));
        const auto later = instance.launch.Start(row.arguments);
        const bool waits = row.vms == 2 || !row.afterEnd.empty();
        if (!waits) {
            ExpectCleanEnd(instance.launch.Finish(*later), row.laterExit);
        } else {  // in its own main, or the worker found no secondaryMain and sent no reply
            ASSERT_TRUE(row.vms == 2 ? instance.Reached("Await", 2) : instance.Reached("DetachCurrentThread returned"));
            EXPECT_EQ(WaitForSingleObject(later->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
        }
        const Outcome end = instance.End(waits ? row.laterExit : 0);
        if (waits) ExpectCleanEnd(instance.launch.Finish(*later), row.laterExit);
        EXPECT_EQ(end.out, row.printed) << end.trace.Text();
        EXPECT_EQ(end.trace.Named("JNI_CreateJavaVM").size(), row.vms) << "a later start loads a VM of its own";
    }
}

// Six at once while the running instance's listener is held: they must take turns on the one
// argument area, each keeping it until the listener says it has copied it. A start that did not
// wait its turn would write over the area meanwhile (it is given two seconds to). The copy in
// another folder is an instance of its own and hears none of them.
TEST(LaterStarts, SeveralAtOnceEachGetTheirOwnAnswer) {
    Instance instance(kOn, kIntForm), elsewhere(kOn, kIntForm);
    ASSERT_TRUE(instance.Reached("Await") && elsewhere.Reached("Await"));
    const SharedBlock block = OpenBlock(instance.launch);
    ASSERT_TRUE(block.view);
    HandleHolder listener(OpenThread(THREAD_SUSPEND_RESUME, FALSE, ReadBlockField({block.Bytes(), kBlockSize}, 0)));
    ASSERT_TRUE(listener && SuspendThread(listener.get()) == 0);
    std::vector<std::unique_ptr<ChildProcess>> later;
    WStringList sent = {L"main"};
    for (int i = 0; i < 6; ++i) later.push_back(instance.launch.Start(sent.emplace_back(L"s" + std::to_wstring(i))));
    const auto area = [&] { return WString(reinterpret_cast<const wchar_t*>(block.Bytes() + kArgumentAreaOffset), 2); };
    const WString first = AwaitCondition([&] { return area()[0] == L's'; }, 30000) ? area() : L"";
    AwaitCondition([&] { return area() != first; }, 2000);
    ResumeThread(listener.get());
    for (auto& process : later) ExpectCleanEnd(instance.launch.Finish(*process), 7);
    WStringList printed = instance.End().out;
    std::sort(printed.begin(), printed.end());
    EXPECT_EQ(printed, sent) << "each start's arguments arrive once";
    EXPECT_EQ(elsewhere.End().out, WStringList{L"main"});
}

TEST(LaterStarts, BeforeMainTheRequestWaitsForTheMainStartedMoment) {
    Gate gate;
    Instance instance(kOn, kIntForm, "", L"Virtual Machine Parameters=-Dtarn.standin.createGate=" + FromUtf8(gate.Name()) + L"\r\n");
    ASSERT_TRUE(instance.Reached("Await"));  // held inside the VM's creation
    const auto later = instance.launch.Start(L"early");
    const SharedBlock block = OpenBlock(instance.launch);
    ASSERT_TRUE(block.view);
    const auto* area = reinterpret_cast<const wchar_t*>(block.Bytes() + 12);
    ASSERT_TRUE(AwaitCondition([&] { return WString(area, 6) == WString(L"early\0", 6); }, 30000)) << "handed over";
    EXPECT_EQ(WaitForSingleObject(later->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    gate.Open();
    ExpectCleanEnd(instance.launch.Finish(*later), 7);
    const Trace trace = instance.End().trace;
    // The worker's first step follows everything the VM thread did before calling main.
    const int main = trace.Find("CallStaticVoidMethod", ".main(");
    const int attach = trace.Find("AttachCurrentThread");
    ASSERT_TRUE(main > 0 && attach > 0) << trace.Text();
    int lastBeforeMain = main - 1;
    while (trace.Lines()[lastBeforeMain].thread != trace.Lines()[main].thread) --lastBeforeMain;
    EXPECT_GT(attach, lastBeforeMain) << trace.Text();
    EXPECT_GT(trace.Find("CallStaticIntMethod", "secondaryMain"), attach);
}

TEST(LaterStarts, AGarbageBlockHurtsNeitherSide) {
    Instance instance(kOn, kIntForm);
    ASSERT_TRUE(instance.Reached("Await"));
    const SharedBlock block = OpenBlock(instance.launch);
    ASSERT_TRUE(block.view);
    uint32_t header[3];  // listener thread, process, request message
    std::memcpy(header, block.Bytes(), sizeof header);
    std::fill(block.Bytes(), block.Bytes() + 2092, uint8_t{0xA5});
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the test's thread can receive posts
    // Headers that do not name the running instance's listener: each later start ends with -1 and
    // names the block, where trusting them would post to the test's thread and wait without end.
    const uint32_t self = GetCurrentThreadId(), own = GetCurrentProcessId(), junk = 0xA5A5A5A5;
    const uint32_t forged[][3] = {{junk, junk, junk}, {self, own, header[2] + 1}, {self, header[1], header[2]}};
    const auto expectRefused = [&](const Outcome& o) {
        EXPECT_TRUE(o.finished && o.exitCode == -1) << o.exitCode;
        EXPECT_THAT(o.DialogTexts(), testing::ElementsAre(testing::HasSubstr(InstanceBaseName(instance.launch.ExePath()))));
    };
    for (const auto& fields : forged) {
        std::memcpy(block.Bytes(), fields, sizeof fields);
        expectRefused(instance.launch.Run(L"x"));
    }
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "no request reached the test";
    EXPECT_EQ(instance.End().out, WStringList{L"main"});
    // The program has ended and the test alone holds the block, as a process squatting on its name.
    expectRefused(instance.launch.Run(L"x"));
    EXPECT_EQ(instance.launch.ReadTrace().Named("JNI_CreateJavaVM").size(), 1u) << "a start went ahead regardless";
}

// The process of a thread that wrote the trace.
HandleHolder ProcessOf(const TraceLine& line) {
    const HandleHolder thread(OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, line.thread));
    return HandleHolder(OpenProcess(SYNCHRONIZE, FALSE, GetProcessIdOfThread(thread.get())));
}

// With "Restart Exit Codes" the run after a restart is the running instance: a later start reaches
// its secondaryMain. The first run's process is gone by then; killing the supervisor ends the run.
TEST(LaterStarts, AfterARestartTheNewRunIsTheRunningInstance) {
    const Gate second;
    Instance instance(kOn + L"Restart Exit Codes=23\r\n", "", "  exit 23\n");
    ASSERT_TRUE(instance.Reached("Await"));
    const HandleHolder firstRun = ProcessOf(instance.launch.ReadTrace().Named("Await")[0]);
    WriteClass(instance.launch.Folder() + L"\\classes", "app/Main",
               "method main\n  out main again\n  await " + second.Name() + "\nend\n" + kIntForm);
    instance.end.Open();
    ASSERT_TRUE(instance.Reached("Await", 2));
    EXPECT_EQ(WaitForSingleObject(firstRun.get(), 0), WAIT_OBJECT_0);
    ExpectCleanEnd(instance.launch.Run(L"x"), 7);
    const Trace trace = instance.launch.ReadTrace();
    EXPECT_EQ(trace.Named("JNI_CreateJavaVM").size(), 2u) << trace.Text();
    EXPECT_GT(trace.Find("CallStaticIntMethod", "secondaryMain"), trace.Find("Print", "main again"));
    const HandleHolder secondRun = ProcessOf(trace.Named("Await")[1]);
    TerminateProcess(instance.running->Handle(), 9);
    EXPECT_EQ(WaitForSingleObject(secondRun.get(), 15000), WAIT_OBJECT_0) << "the run ends with its supervisor";
}

}  // namespace
}  // namespace tarn::test
