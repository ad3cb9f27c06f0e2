// The discovery log as a vendor's support staff reads it, through the real launcher.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "launcher/SettingsStore.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"

namespace tarn::test {
namespace {

const WString kSunKey = L"Software\\JavaSoft\\Java Runtime Environment";
const WString kLog = L"{app}\\start.log";

// True when every expected line is a whole line of the log, in the same order.
::testing::AssertionResult HoldsInOrder(const WStringList& lines, const WStringList& expected) {
    auto at = lines.begin();
    for (const WString& line : expected) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end()) return ::testing::AssertionFailure() << "missing " << ToUtf8(line);
    }
    return ::testing::AssertionSuccess();
}

TEST(DiscoveryLog, TellsEveryStepOfAStart) {
    const struct {
        const char* what;
        std::vector<RuntimeFolder> runtimes;
        std::vector<RegistryRow> registry;
        WString javaHome;
        int exitCode;
        WStringList lines;  // whole lines the log must hold, in this order ({app} expanded)
        WString log = kLog;  // TARN_LAUNCHER_LOG
        WString settings;    // further settings lines
        bool onArm64 = false;  // the launcher runs on an ARM64 system
    } rows[] = {
        {"a registry choice", {{L"{app}\\sun", {}}, {L"{app}\\tem", {}}},
         {{View::Own, kSunKey, L"1.8.0_45", L"{app}\\sun"},
          {View::Own, L"Software\\Eclipse Adoptium\\JDK", L"21.0.1.12\\hotspot\\MSI", L"{app}\\tem", REG_SZ, std::nullopt, L"Path"}},
         L"", 0,
         {L"settings file: {app}\\App.ini", L"source JRE Path {app}\\: passed over, no JVM library that fits the JVM Type",
          L"source beside the launcher: passed over, no runtime (no bin\\java.dll)",
          L"registry candidates, 64-bit view, in order: 2",
          L"  1. HKLM\\Software\\JavaSoft\\Java Runtime Environment\\1.8.0_45 (64-bit view): version 1.8.0.45, JRE, Sun, "
          L"preferred yes, home {app}\\sun\\",
          L"  2. HKLM\\Software\\Eclipse Adoptium\\JDK\\21.0.1.12\\hotspot\\MSI (64-bit view): version 21.0.1.12, JDK, "
          L"Adoptium, preferred no, home {app}\\tem\\",
          L"chosen: registry", L"JVM library: {app}\\sun\\bin\\client\\jvm.dll", L"version: 1.8.0.45", L"VM options: 2",
          L"  -Djava.class.path={app}\\classes;", L"  -Dx=1", L"class path: 1 entries", L"  {app}\\classes", L"exit code: 0"}},
        {"a JAVA_HOME choice", {{L"{app}\\env", {}}}, {}, L"{app}\\env", 0,
         {L"registry candidates, 64-bit view, in order: 0", L"source registry (other view): passed over, not read (no Pair Product)",
          L"source registry: passed over, no registered runtime fits", L"chosen: JAVA_HOME",
          L"JVM library: {app}\\env\\bin\\client\\jvm.dll", L"exit code: 0"}},
        {"a failed search", {}, {}, L"{app}\\nothing", -1,
         {L"source JAVA_HOME \"{app}\\nothing\": passed over, no runtime (no bin\\java.dll)",
          L"chosen: nothing, no source yields a runtime", L"exit code: -1"}},
        {"a message shown", {{L"{app}\\jre", {.variant = JvmVariant::NoCreateJavaVm}}}, {}, L"", -1,
         {L"chosen: beside the launcher", L"message: Windows exception: cannot find CreateJavaVM JNI (errno = 127).",
          L"exit code: -1"}},
        // A log that cannot be written, or none, never stops a launch and leaves no file.
        {"a missing folder", {{L"{app}\\jre", {}}}, {}, L"", 0, {}, L"{app}\\no such folder\\start.log"},
        {"no log", {{L"{app}\\jre", {}}}, {}, L"", 0, {}, L""},
        // Runtimes of another machine: which machine, who would run it, and why it was taken or not.
        {"an ARM64 runtime on an x64 system", {{L"{app}\\arm", {.arch = Arch::Arm64}}, {L"{app}\\x64", {}}},
         {{View::Own, kSunKey, L"1.8", L"{app}\\x64"}}, L"", 0,
         {L"JVM library {app}\\arm\\bin\\client\\jvm.dll: ARM64, launcher x64 on an x64 machine: this machine cannot run it",
          L"source JRE Path {app}\\arm\\: passed over, this machine cannot run its JVM library", L"chosen: registry",
          L"JVM library: {app}\\x64\\bin\\client\\jvm.dll"}, kLog, L"JRE Path={app}\\arm\r\n"},
        {"an ARM64 runtime on an ARM64 system", {{L"{app}\\arm", {.arch = Arch::Arm64}}}, {}, L"{app}\\arm", -1,
         {L"JVM library {app}\\arm\\bin\\client\\jvm.dll: ARM64, launcher x64 on an ARM64 machine: for Pair Product ARM64",
          L"chosen: JAVA_HOME", L"JVM library: {app}\\arm\\bin\\client\\jvm.dll", L"paired product: {app}\\AppArm.exe"},
         kLog, L"[Application]\r\nPair Product ARM64={app}\\AppArm.exe\r\n", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (!row.runtimes.empty() && row.runtimes[0].spec.arch == Arch::Arm64 && Arm64BuildDir().empty()) {
            std::cout << "skipped, needs the ARM64 stand-in runtime (TARN_ARM64=1): " << row.what << "\n";
            continue;
        }
        Launch launch({.settings = AppSettings(L"All Vendors=Yes\r\nVirtual Machine Parameters=-Dx=1\r\n" + row.settings),
                       .classes = {{"app/Main", "method main\n prop x\nend\n"}},
                       .runtimes = row.runtimes, .registry = row.registry,
                       .environment = {{L"JAVA_HOME", row.javaHome}, {L"TARN_LAUNCHER_LOG", row.log}},
                       .launcher = row.onArm64 ? BuildDir() + L"\\jre\\tarn_on_arm64.exe" : L"",
                       .onDialog = DeclineJreNotFound});  // without a runtime: declined, the start ends with -1
        // The first row starts twice: each start appends its own account.
        const int starts = &row == &rows[0] ? 2 : row.log == kLog ? 1 : 0;
        for (int i = 0; i < std::max(starts, 1); ++i) {
            const Outcome o = launch.Run();
            EXPECT_TRUE(o.finished && o.exitCode == row.exitCode) << o.exitCode;
            if (i == 0) {  // the trace grows
                EXPECT_EQ(o.out, row.exitCode == 0 ? WStringList{L"x=1"} : WStringList{});
            }
        }
        WStringList expected = row.lines;
        for (WString& line : expected) line = launch.Expand(line);
        const WStringList lines = SplitList(FromUtf8(ReadBytes(launch.Expand(kLog))), L"\r\n");
        EXPECT_TRUE(HoldsInOrder(lines, expected));
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.starts_with(L"=== Tarn start "); }), starts);
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(launch.Expand(L"{app}\\*.log").c_str(), &found);
        EXPECT_EQ(search != INVALID_HANDLE_VALUE, starts > 0) << "where a log appeared";
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
}

}  // namespace
}  // namespace tarn::test
