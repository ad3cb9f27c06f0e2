// Which runtime a start settles on, seen through the real launcher. The candidates' libraries are
// text files, so loading the chosen one fails with a message that names it; a runtime for a
// paired launcher shows as its exit code (recording stand-ins exit with 7, and the one started
// must have received the launcher's whole command line).
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/kit/Dialogs.h"
#include "tests/kit/Locations.h"
#include "tests/kit/RecordingPair.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

const WString kPaired = L"(the paired product)";
const WString kArm64Paired = L"(Pair Product ARM64)";
const WString kNone = L"(no runtime)";

const WString kJdk = L"Software\\JavaSoft\\JDK";
const WString kJre = L"Software\\JavaSoft\\JRE";
const WString kDevKit = L"Software\\JavaSoft\\Java Development Kit";
const WString kRuntime = L"Software\\JavaSoft\\Java Runtime Environment";
const WString kJRockitJre = L"Software\\JRockit\\Java Runtime Environment";
const WString kJRockitJdk = L"Software\\JRockit\\Java Development Kit";
const WString kIbm = L"Software\\IBM\\Java2 Runtime Environment";

struct Runtime {
    WString home;  // under {app}
    std::vector<WString> vms = {L"client"};
    bool marker = true;    // bin\java.dll
    std::optional<Arch> image;  // real stand-in images of that machine instead of text
    std::string release = "JAVA_VERSION=\"17.0.9\"\n";  // the release file's text; none when empty
};

struct Row {
    std::string what;
    WString settings;  // lines of [Java Runtime Environment], or further sections
    std::vector<Runtime> runtimes;
    std::vector<RegistryRow> registry;
    WString javaHome;  // JAVA_HOME for the launcher, unset when empty
    WString expected;  // the library chosen ({app}\...), kPaired or kNone
    WString userJrePath = L"";  // "JRE Path" remembered in the user's settings file
    bool onArm64 = false;       // the launcher runs on an ARM64 system
};

RegistryRow Reg(const WString& key, const WString& version, const WString& home, View view = View::Own) {
    return {view, key, version, L"{app}\\" + home};
}

RegistryRow Raw(const WString& version, DWORD type, const std::string& bytes) {
    return {View::Own, kRuntime, version, L"", type, bytes};
}

// The client (or other) JVM library of a runtime under {app}.
WString Lib(const WString& home, const WString& vm = L"client") { return L"{app}\\" + home + L"\\bin\\" + vm + L"\\jvm.dll"; }

std::string Wide(const WString& text) { return Utf16Bytes(text).substr(2); }  // without the mark

// What a start shows: the library named by the load failure, the paired launcher started (awaited
// for its exit code, or not), one that could not be started, or none.
WString Chosen(const Outcome& o, const RecordingPair& pair, const RecordingPair& arm64) {
    if (!o.finished) return L"(did not end)";
    const WString loadFailed = L"Failed to load Java VM library: ", notStarted = L"Failed to start the paired product: ";
    for (const WString& text : o.DialogTexts()) {
        const WString named = text.substr(0, text.find(L" (errno = "));
        if (named.starts_with(loadFailed)) return named.substr(loadFailed.size());
        if (named.starts_with(notStarted))
            return L"(not started, exit code " + std::to_wstring(o.exitCode) + L": " + named.substr(notStarted.size()) + L")";
    }
    if ((o.exitCode == 7 || o.exitCode == 0) && o.trace.Lines().empty() &&
        AwaitCondition([&] { return !pair.Starts().empty() || !arm64.Starts().empty(); }, 5000))
        return (arm64.Starts().empty() ? kPaired : kArm64Paired) + (o.exitCode == 0 ? L", not awaited" : L"");
    const bool asked = std::any_of(o.dialogs.begin(), o.dialogs.end(),
                                   [](const SeenDialog& seen) { return seen.title == L"JRE Not Found"; });
    if (o.exitCode == -1 && o.trace.Lines().empty() && asked) return kNone;
    return L"(exit code " + std::to_wstring(o.exitCode) + L")";
}

void RunRows(const std::vector<Row>& rows) {
    const TempFolder pairs(L"pair");
    const WString arguments = L"-nosplash \"two words\"";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        // "{pair}" and "{arm64}" before the settings name recording paired launchers, which are
        // awaited unless "{nowait}" follows.
        WString settings = row.settings, application;
        const RecordingPair recording(pairs.Path() + L"\\Pair.exe", 7), arm64(pairs.Path() + L"\\PairArm.exe", 7);
        for (const auto& [token, line] : {std::pair(L"{pair}", L"Pair Product=" + recording.ExePath()),
                                          std::pair(L"{arm64}", L"Pair Product ARM64=" + arm64.ExePath())}) {
            if (!settings.starts_with(token)) continue;
            settings.erase(0, wcslen(token));
            application += line + L"\r\n";
        }
        const bool awaited = !settings.starts_with(L"{nowait}");
        if (!awaited) settings.erase(0, 8);
        // The user's settings lie in a folder named after the product, less what no file name may hold.
        Scenario s{.settings = L"[Product Information]\r\nProduct Name=Disc\"o<v>e|ry: T\\e/s*t?\r\nProduct Code={D15C}\r\n"
                               L"[Java Runtime Environment]\r\nMain Class=app.Main\r\n" +
                               settings + (application.empty() ? L"" : L"[Application]\r\n" + application +
                                           L"Pair Return Code=" + (awaited ? L"Yes" : L"No") + L"\r\n"),
                   .arguments = arguments, .runtimes = {}, .registry = row.registry, .environment = recording.Environment(),
                   .exeName = L"App.v2.exe", .launcher = row.onArm64 ? BuildDir() + L"\\jre\\tarn_on_arm64.exe" : L"",
                   .onDialog = DeclineJreNotFound};  // without a runtime the user is asked, and declines
        s.environment.emplace_back(L"JAVA_HOME", row.javaHome);
        // Without APPDATA the user's file is read from the roaming folder the shell names (the
        // console launcher's rows read it through APPDATA).
        s.environment.emplace_back(L"APPDATA", L"");
        for (const Runtime& r : row.runtimes) {
            const WString home = r.home.empty() ? L"{app}" : r.home.find(L':') != WString::npos ? r.home : L"{app}\\" + r.home;
            if (r.image) {
                s.runtimes.push_back({home, {.vms = r.vms, .javaMarker = r.marker, .arch = *r.image}});
                continue;
            }
            if (r.marker) s.files.push_back({home + L"\\bin\\java.dll", "marker"});
            if (!r.release.empty()) s.files.push_back({home + L"\\release", r.release});
            for (const WString& vm : r.vms) s.files.push_back({home + L"\\bin\\" + vm + L"\\jvm.dll", "not an image"});
        }
        if (!row.userJrePath.empty()) {
            s.files.push_back({L"{appdata}\\Discovery Test\\{D15C}\\App.v2.ini",
                               Utf16Bytes(L"[Java Runtime Environment]\r\nJRE Path=" + row.userJrePath + L"\r\n")});
        }
        Launch launch(std::move(s));
        const WString chosen = Chosen(launch.Run(), recording, arm64);
        EXPECT_EQ(ToUtf8(chosen), ToUtf8(launch.Expand(row.expected)));
        const WStringList started = {L"\"" + launch.ExePath() + L"\" " + arguments};
        EXPECT_EQ(recording.Starts(), chosen.starts_with(kPaired) ? started : WStringList{});
        EXPECT_EQ(arm64.Starts(), chosen.starts_with(kArm64Paired) ? started : WStringList{});
    }
}

TEST(Discovery, ConfiguredShippedRegisteredThenJavaHome) {
    const std::vector<Runtime> everywhere = {{L"cfg", {L"client"}, false}, {L"jre"}, {L"reg"}, {L"env"}};
    const WString pair = L"{pair}", cfg = L"JRE Path={app}\\cfg\r\n";
    const Runtime otherCfg = {L"cfg", {L"client"}, false, Arch::Other};
    RunRows({
        {"JRE Path wins, a library is enough", cfg, everywhere, {Reg(kRuntime, L"1.8", L"reg")}, L"{app}\\env", Lib(L"cfg")},
        {"a relative JRE Path lies in the launcher's folder", L"JRE Path=cfg\r\n", {{L"cfg"}}, {}, L"", Lib(L"cfg")},
        {"the user's remembered JRE Path comes before the settings'", cfg, {{L"cfg"}, {L"mine"}}, {}, L"", Lib(L"mine"),
         L"{app}\\mine"},
        {"a service ignores the remembered JRE Path", cfg + L"[Application]\r\nApplication Type=service\r\n",
         {{L"cfg"}, {L"mine"}}, {}, L"", Lib(L"cfg"), L"{app}\\mine"},
        {"a JRE Path without a library falls through to the registry", cfg, {{L"cfg", {}}, {L"reg", {L"server"}}},
         {Reg(kRuntime, L"1.8", L"reg")}, L"", Lib(L"reg", L"server")},
        {"a runtime shipped in jre\\ comes before registry and JAVA_HOME", L"", {{L"jre"}, {L"reg"}, {L"env"}},
         {Reg(kRuntime, L"1.8", L"reg")}, L"{app}\\env", Lib(L"jre")},
        {"past a JRE Path without a runtime, the launcher's folder comes before jre\\", cfg, {{L"cfg", {}}, {L""}, {L"jre"}},
         {}, L"", L"{app}\\bin\\client\\jvm.dll"},
        // A folder named bin\java.dll (here holding bin\x\jvm.dll) is no marker.
        {"a shipped runtime needs its marker, a file", L"", {{L"jre", {L"client"}, false}, {L"jre\\bin\\java.dll", {L"x"}, false}},
         {}, L"", kNone},
        {"a shipped runtime is not checked for its architecture", pair, {{L"jre", {L"client"}, true, Arch::Other}},
         {Reg(kRuntime, L"1.8", L"reg", View::Other)}, L"", Lib(L"jre")},
        {"the registry comes before JAVA_HOME", L"", {{L"reg"}, {L"env"}}, {Reg(kRuntime, L"1.8", L"reg")}, L"{app}\\env",
         Lib(L"reg")},
        {"JAVA_HOME without marker", L"", {{L"env", {L"client"}, false}}, {}, L"{app}\\env", kNone},
        {"JAVA_HOME without library", L"", {{L"env", {}}}, {}, L"{app}\\env", kNone},
        // With a backslash added, an empty value would name the current drive's root, here C:.
        {"an empty JAVA_HOME", L"[Application]\r\nOverride WorkingDir=Yes\r\n", {{L"C:"}}, {}, WString(1, L'\0'), kNone},
        {"JAVA_HOME of the other machine goes to the paired product", pair, {{L"env", {L"server"}, true, Arch::Other}}, {},
         L"{app}\\env", kPaired},
        {"JRE Path of the other machine goes to the paired product", pair + cfg, {otherCfg}, {}, L"", kPaired},
        {"without a paired product it is loaded", cfg, {otherCfg}, {}, L"", Lib(L"cfg")},
        {"a library that is no image is loaded, not paired", pair + cfg, {{L"cfg"}}, {}, L"", Lib(L"cfg")},
        {"the other view is read only with a paired product", L"", {{L"b"}, {L"env"}},
         {Reg(kRuntime, L"1.8", L"b", View::Other)}, L"{app}\\env", Lib(L"env")},
        {"the other view's runtime is for the paired product", pair, {{L"b"}}, {Reg(kRuntime, L"1.8", L"b", View::Other)},
         L"", kPaired},
        {"the own view comes first", pair, {{L"a"}, {L"b"}},
         {Reg(kRuntime, L"1.7", L"a"), Reg(kRuntime, L"1.8", L"b", View::Other)}, L"", Lib(L"a")},
    });
}

// Runtimes of every machine: an x64 system runs no ARM64 runtime; on an ARM64 system the launcher
// (here the x64 one, emulated there) loads its own machine's runtime when one fits and hands an
// ARM64 one to "Pair Product ARM64", as it hands an x86 one to "Pair Product".
TEST(Discovery, RuntimesOfEveryMachine) {
    if (Arm64BuildDir().empty()) GTEST_SKIP() << "needs the ARM64 stand-in runtime: build with TARN_ARM64=1";
    const WString cfg = L"JRE Path={app}\\cfg\r\n";
    const Runtime arm = {L"arm", {L"client"}, true, Arch::Arm64}, armCfg = {L"cfg", {L"client"}, true, Arch::Arm64};
    const std::vector<RegistryRow> newerArm = {Reg(kRuntime, L"21", L"arm"), Reg(kRuntime, L"17", L"x64")};
    const WString absent = L"[Application]\r\nPair Product ARM64={app}\\AppArm.exe\r\n";
    RunRows({
        {"x64 system: a newer ARM64 runtime is passed over", L"", {arm, {L"x64"}}, newerArm, L"", Lib(L"x64")},
        {.what = "only an ARM64 runtime: the ARM64 pair", .settings = L"{pair}{arm64}", .runtimes = {arm},
         .registry = {Reg(kRuntime, L"21", L"arm")}, .expected = kArm64Paired, .onArm64 = true},
        {.what = "both fit: the launcher's own machine first", .settings = L"{arm64}", .runtimes = {arm, {L"x64"}},
         .registry = newerArm, .expected = Lib(L"x64"), .onArm64 = true},
        {.what = "an ARM64 runtime of the own view before an x86 one of the other", .settings = L"{pair}{arm64}",
         .runtimes = {arm, {L"x86", {L"client"}, true, Arch::Other}},
         .registry = {Reg(kRuntime, L"11", L"arm"), Reg(kRuntime, L"17", L"x86", View::Other)}, .expected = kArm64Paired,
         .onArm64 = true},
        {.what = "an x86 runtime still goes to Pair Product", .settings = L"{pair}{arm64}",
         .runtimes = {{L"env", {L"client"}, true, Arch::Other}}, .javaHome = L"{app}\\env", .expected = kPaired, .onArm64 = true},
        {.what = "not awaited without Pair Return Code", .settings = L"{arm64}{nowait}", .runtimes = {arm},
         .javaHome = L"{app}\\arm", .expected = kArm64Paired + L", not awaited", .onArm64 = true},
        {.what = "no ARM64 pair: a registered ARM64 runtime does not count", .runtimes = {arm, {L"env"}},
         .registry = {Reg(kRuntime, L"21", L"arm")}, .javaHome = L"{app}\\env", .expected = Lib(L"env"), .onArm64 = true},
        {.what = "no ARM64 pair: a JRE Path of ARM64 is loaded, and its failure names it", .settings = cfg,
         .runtimes = {armCfg}, .expected = Lib(L"cfg"), .onArm64 = true},
        // As a missing Pair Product is (JreNotFound_test): the same message, and -1.
        {.what = "a missing ARM64 pair", .settings = absent, .runtimes = {arm},
         .javaHome = L"{app}\\arm", .expected = L"(not started, exit code -1: {app}\\AppArm.exe)", .onArm64 = true},
    });
}

// Versions, bounds, kinds (JRE or JDK), vendors and VM types of registry runtimes; the order among
// candidates is CandidateOrder's, so these rows show that each setting reaches it. Hostile values
// and names neither crash nor hang a start.
TEST(Discovery, RegistryVersionsKindsVendorsVmTypesAndHostileValues) {
    const std::vector<Runtime> two = {{L"old"}, {L"new"}};
    const std::vector<RegistryRow> both = {Reg(kRuntime, L"1.7.0_80", L"old"), Reg(kRuntime, L"1.8.0_45", L"new")};
    // A JDK registered under the old key keeps its runtime in jre\.
    const std::vector<Runtime> jreAndJdk = {{L"jre8"}, {L"jdk7\\jre"}};
    const std::vector<RegistryRow> kinds = {Reg(kJre, L"1.8", L"jre8"), Reg(kDevKit, L"1.7", L"jdk7")};
    const std::vector<Runtime> vendors = {{L"sun"}, {L"jrockit"}, {L"ibm"}};
    const std::vector<RegistryRow> vendorRows = {Reg(kRuntime, L"1.8", L"sun"), Reg(kJRockitJre, L"1.6", L"jrockit"),
                                                 Reg(kIbm, L"1.7", L"ibm")};
    const std::vector<Runtime> vms = {{L"jdk\\jre", {L"server"}}, {L"rt", {L"client", L"server"}}};
    const WString favorServer = L"JVM Type=favor_server\r\n";
    std::vector<RegistryRow> hostile = {
        Reg(kRuntime, L"1.6.0_10", L"good"),
        Raw(L"1.9.1", REG_DWORD, std::string("\x41\0\0\0", 4)),
        Raw(L"1.9.2", REG_SZ, std::string(2, '\0')),
        Raw(L"1.9.3", REG_SZ, ""),
        Raw(L"1.9.4", REG_BINARY, std::string("C\0:\0\\", 5)),
        Raw(L"1.9.5", REG_SZ, Wide(L"C:\\" + WString(200000, L'a') + WString(1, L'\0'))),
        Reg(kRuntime, L"1.9.6", L"*"),
        Reg(kRuntime, WString(255, L'9'), L"absent"),
        Reg(kRuntime, L"1." + WString(253, L'x'), L"absent"),
        Reg(kRuntime, L"99999999999.1", L"absent"),
    };
    for (int i = 0; i < 300; ++i) {
        hostile.push_back({View::Own, kRuntime, i % 3 == 0 ? L"junk" + std::to_wstring(i) : L"2." + std::to_wstring(i),
                        L"x", REG_SZ, std::nullopt, L"Other"});
    }
    RunRows({
        {"the newest within the bounds", L"Minimum Version=1.6\r\n", two, both, L"", Lib(L"new")},
        {"a maximum covers its whole family", L"Maximum Version=1.7\r\n", two, both, L"", Lib(L"old")},
        {"a minimum above both", L"Minimum Version=1.8.0_46\r\n", two, both, L"", kNone},
        {"a name without digits is version 0", L"", {{L"a"}}, {Reg(kRuntime, L"CurrentVersion", L"a")}, L"", Lib(L"a")},
        {"equal versions keep the key order", L"", {{L"a"}, {L"b"}},
         {Reg(kJre, L"1.8.0_45", L"a"), Reg(kJdk, L"1.8.0.45", L"b")}, L"", Lib(L"b")},
        {"runtimes without library, home or folder are skipped", L"", {{L"good"}, {L"empty", {}}},
         {Reg(kRuntime, L"1.6", L"good"), Reg(kRuntime, L"1.8", L"empty"), Reg(kRuntime, L"11", L"absent"),
          {View::Own, kRuntime, L"1.9", L"", REG_SZ, std::nullopt, L"Other"}}, L"", Lib(L"good")},
        {"by default the newest of any kind", L"", jreAndJdk, kinds, L"", Lib(L"jre8")},
        {"favor_JDK takes an older JDK", L"JVM Source=favor_JDK\r\n", jreAndJdk, kinds, L"", Lib(L"jdk7\\jre")},
        {"only_JDK passes a JRE over", L"JVM Source=only_JDK\r\n", {{L"jre8"}}, {Reg(kJre, L"1.8", L"jre8")}, L"", kNone},
        {"an unknown source searches nothing", L"JVM Source=neither\r\n", jreAndJdk, kinds, L"", kNone},
        {"only_JRE does not read the JDK keys", L"JVM Source=only_JRE\r\n", {{L"jdk7\\jre"}, {L"jdk11"}},
         {Reg(kDevKit, L"1.8", L"jdk7"), Reg(kJdk, L"11", L"jdk11")}, L"", kNone},
        {"by default only Sun", L"", vendors, vendorRows, L"", Lib(L"sun")},
        {"favor_jrockit", L"VM Provider=favor_jrockit\r\n", vendors, vendorRows, L"", Lib(L"jrockit")},
        {"favor_ibm", L"VM Provider=favor_ibm\r\n", vendors, vendorRows, L"", Lib(L"ibm")},
        {"any: nobody favoured, the newest wins", L"VM Provider=any\r\n", vendors, vendorRows, L"", Lib(L"sun")},
        {"ibm only", L"VM Provider=ibm\r\n", vendors, vendorRows, L"", Lib(L"ibm")},
        {"jrockit only", L"VM Provider=jrockit\r\n", vendors, vendorRows, L"", Lib(L"jrockit")},
        {"only_JDK with favor_jrockit does not rank JRockit first", L"JVM Source=only_JDK\r\nVM Provider=favor_jrockit\r\n",
         {{L"sunjdk"}, {L"rjdk\\jre"}}, {Reg(kJdk, L"1.8", L"sunjdk"), Reg(kJRockitJdk, L"1.6", L"rjdk")}, L"",
         Lib(L"sunjdk")},
        {"favor_server: the old runtime key looks up client first and ranks after a server VM", favorServer, vms,
         {Reg(kDevKit, L"1.7", L"jdk"), Reg(kRuntime, L"1.8", L"rt")}, L"", Lib(L"jdk\\jre", L"server")},
        {"favor_server: other keys look up server first", favorServer, vms,
         {Reg(kDevKit, L"1.7", L"jdk"), Reg(kJre, L"1.8", L"rt")}, L"", Lib(L"rt", L"server")},
        {"server only: the newer server VM", L"JVM Type=server\r\n", vms,
         {Reg(kDevKit, L"1.7", L"jdk"), Reg(kRuntime, L"1.8", L"rt")}, L"", Lib(L"rt", L"server")},
        {"hostile values and names", L"Minimum Version=1.6\r\n", {{L"good"}}, hostile, L"", Lib(L"good")},
        // Binary data without terminator reads as text; text with junk after its NUL ends at the NUL.
        {"JavaHome of any type and shape", L"", {{L"rt"}},
         {Raw(L"1.6", REG_BINARY, Wide(L"{app}\\rt")), Raw(L"1.7", REG_EXPAND_SZ, Wide(WString(L"{app}\\rt") + L'\0' + L"C:\\x"))},
         L"", Lib(L"rt")},
    });
}

// Where today's installers register a runtime (sources in the README), as each writes it.
struct Layout { WString key, subkey, value; };
const std::vector<Layout> kLayouts = {
    {L"Software\\Eclipse Adoptium\\JDK", L"21.0.1.12\\hotspot\\MSI", L"Path"},
    {L"Software\\Eclipse Adoptium\\JRE", L"8.0.392.8\\hotspot\\MSI", L"Path"},
    {L"Software\\Eclipse Foundation\\JDK", L"11.0.12.7\\hotspot\\MSI", L"Path"},
    {L"Software\\AdoptOpenJDK\\JRE", L"8.0.252.09\\hotspot\\MSI", L"Path"},
    {L"Software\\AdoptOpenJDK\\JDK", L"11.0.8.10\\openj9\\MSI", L"Path"},
    {L"Software\\Microsoft\\JDK", L"17.0.9.8\\hotspot\\MSI", L"Path"},
    {L"Software\\Semeru\\JRE", L"17.0.8.7\\openj9\\MSI", L"Path"},
    {L"Software\\Azul Systems\\Zulu", L"zulu-17", L"InstallationPath"},
    {L"Software\\Azul Systems\\Zulu 32-bit", L"zulu-8-jre", L"InstallationPath"},
    {L"Software\\BellSoft\\Liberica", L"jdk-17", L"InstallationPath"},
};
const Layout &kTemurin = kLayouts[0], &kZulu = kLayouts[7];

RegistryRow Planted(const Layout& layout, const WString& home, View view = View::Own, const WString& subkey = L"") {
    return {view, layout.key, subkey.empty() ? layout.subkey : subkey, home.empty() ? L"" : L"{app}\\" + home, REG_SZ,
            std::nullopt, layout.value};
}

// Today's vendor keys, read when asked: each key, and how their runtimes rank among the others.
TEST(Discovery, TodaysVendorKeysWhenAskedAndTheirRuntimesRank) {
    const WString yes = L"All Vendors=Yes\r\n", any = L"VM Provider=any\r\n";
    const std::vector<Runtime> two = {{L"sun"}, {L"tem"}};
    const std::vector<RegistryRow> both = {Reg(kRuntime, L"1.8.0_45", L"sun"), Planted(kTemurin, L"tem")};
    // Names that are no versions take the release file's; its "11.0.2" makes zulu-21 an 11.
    const std::vector<Runtime> zulus = {{.home = L"z21", .release = "JAVA_VERSION=\"11.0.2\"\r\nOS_NAME=\"Windows\"\r\n"},
                                        {.home = L"z17", .release = "IMPLEMENTOR=\"Azul\"\nJAVA_VERSION=\"17.0.9\"\n"}};
    const std::vector<RegistryRow> zuluRows = {Planted(kZulu, L"z21", View::Own, L"zulu-21"), Planted(kZulu, L"z17")};
    std::vector<Runtime> odd;
    std::vector<RegistryRow> oddRows;
    for (const std::string release : {"", "\n", "JAVA_VERSION=\"unknown\"\n", "JAVA_VERSION=\n"}) {
        odd.push_back({.home = WString(1, static_cast<wchar_t>(L'a' + odd.size())), .release = release});
        oddRows.push_back(Planted(kZulu, odd.back().home, View::Own, odd.back().home));
    }
    std::vector<Row> rows = {
        {"with nobody favoured the newer wins; any case of yes", L"All Vendors=yES\r\n" + any, two, both, L"", Lib(L"tem")},
        {"the bounds apply to vendor runtimes", yes + any + L"Maximum Version=17\r\n", two, both, L"", Lib(L"sun")},
        {"a preferred version picks a vendor runtime", yes + L"Preferred versions=21\r\n", two, both, L"", Lib(L"tem")},
        {"only_JRE skips a vendor JDK", yes + L"JVM Source=only_JRE\r\n", {{L"tem"}}, {Planted(kTemurin, L"tem")}, L"", kNone},
        {"the release file's version, not the name", yes + L"Minimum Version=12\r\n", zulus, zuluRows, L"", Lib(L"z17")},
        {"no, an empty or an odd release file: no version, no runtime", yes, odd, oddRows, L"", kNone},
        {"an empty path or one without a VM is passed over", yes, {{L"good"}, {L"novm", {}}},
         {Planted(kTemurin, L"good", View::Own, L"8.0.1.1\\hotspot\\MSI"), Planted(kTemurin, L""),
          Planted(kTemurin, L"novm", View::Own, L"22.0.1.8\\hotspot\\MSI")}, L"", Lib(L"good")},
    };
    std::vector<RegistryRow> everyLayout;
    for (const Layout& l : kLayouts) {
        rows.push_back({ToUtf8(l.key) + " in the own view", yes, {{L"v"}}, {Planted(l, L"v")}, L"", Lib(L"v")});
        everyLayout.push_back(Planted(l, L"v"));
    }
    // Every key is read in both views alike: one of each shape (version path or name, value) suffices.
    for (const Layout* l : {&kTemurin, &kZulu})
        rows.push_back({"the other view", L"{pair}" + yes, {{L"v"}}, {Planted(*l, L"v", View::Other)}, L"", kPaired});
    rows.push_back({"ignored without All Vendors", L"", {{L"v"}}, everyLayout, L"", kNone});
    rows.push_back({"ignored with All Vendors=No", L"All Vendors=No\r\n", {{L"v"}}, everyLayout, L"", kNone});
    RunRows(rows);
}

}  // namespace
}  // namespace tarn::test
