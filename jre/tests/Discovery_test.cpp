// Which runtime a start settles on, seen through the real launcher. The candidates' libraries are
// text files, so loading the chosen one fails with a message that names it; a runtime for the
// paired product shows as the paired product's exit code (the command interpreter exits with 7).
#include <gtest/gtest.h>

#include "base/Environment.h"
#include "jre/RuntimeSearch.h"
#include "tests/kit/Dialogs.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

const WString kPaired = L"(the paired product)";
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
    bool other = false;    // real images of the other machine instead of text
};

struct Row {
    const char* what;
    WString settings;  // lines of [Java Runtime Environment], or further sections
    std::vector<Runtime> runtimes;
    std::vector<RegistryRow> registry;
    WString javaHome;  // JAVA_HOME for the launcher, unset when empty
    WString expected;  // the library chosen ({app}\...), kPaired or kNone
    WString userJrePath = L"";  // "JRE Path" remembered in the user's settings file
};

RegistryRow Reg(const WString& key, const WString& version, const WString& home, View view = View::Own) {
    return {view, key, version, L"{app}\\" + home};
}

RegistryRow Raw(const WString& version, DWORD type, const std::string& bytes) {
    return {View::Own, kRuntime, version, L"", type, bytes};
}

std::string Wide(const WString& text) { return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2); }

WString CommandInterpreter() {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return WString(system) + L"\\cmd.exe";
}

// What a start shows: the library named by the load failure, the paired product, or neither.
WString Chosen(const Outcome& o) {
    if (!o.finished) return L"(did not end)";
    const WString prefix = L"Failed to load Java VM library: ";
    for (const WString& text : o.DialogTexts()) {
        if (text.rfind(prefix, 0) == 0) return text.substr(prefix.size(), text.find(L" (errno = ") - prefix.size());
    }
    if (o.exitCode == 7 && o.trace.Lines().empty()) return kPaired;
    if (o.exitCode == -1 && o.trace.Lines().empty()) return kNone;
    return L"(exit code " + std::to_wstring(o.exitCode) + L")";
}

void RunRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        // "{pair}" before the settings names the command interpreter as the paired product.
        const bool pair = row.settings.rfind(L"{pair}", 0) == 0;
        Scenario s{.settings = L"[Product Information]\r\nProduct Name=Discovery Test\r\nProduct Code={D15C}\r\n"
                               L"[Java Runtime Environment]\r\nMain Class=app.Main\r\n" +
                               row.settings.substr(pair ? 6 : 0) +
                               (pair ? L"[Application]\r\nPair Return Code=Yes\r\nPair Product=" + CommandInterpreter() + L"\r\n" : L""),
                   .arguments = L"/c exit 7",
                   .runtimes = {},
                   .registry = row.registry,
                   .environment = {{L"JAVA_HOME", row.javaHome}},
                   // A start without a runtime may offer to look for one: declined, it ends with -1.
                   .onDialog = [](const SeenDialog& dialog) {
                       if (dialog.title != L"JRE Not Found") return false;
                       PressButton(dialog.window, IDCANCEL);
                       return true;
                   }};
        for (const Runtime& r : row.runtimes) {
            const WString home = r.home.empty() ? L"{app}" : L"{app}\\" + r.home;
            if (r.other) {
                s.runtimes.push_back({home, {.vms = r.vms, .javaMarker = r.marker, .arch = Arch::Other}});
                continue;
            }
            if (r.marker) s.files.push_back({home + L"\\bin\\java.dll", "marker"});
            for (const WString& vm : r.vms) s.files.push_back({home + L"\\bin\\" + vm + L"\\jvm.dll", "not an image"});
        }
        if (!row.userJrePath.empty()) {
            s.files.push_back({L"{appdata}\\Discovery Test\\{D15C}\\App.ini",
                               Utf16Bytes(L"[Java Runtime Environment]\r\nJRE Path=" + row.userJrePath + L"\r\n")});
        }
        Launch launch(std::move(s));
        EXPECT_EQ(ToUtf8(Chosen(launch.Run())), ToUtf8(launch.Expand(row.expected)));
    }
}

TEST(Discovery, ConfiguredShippedRegisteredThenJavaHome) {
    const std::vector<Runtime> everywhere = {{L"cfg", {L"client"}, false}, {L"jre"}, {L"reg"}, {L"env"}};
    const WString pair = L"{pair}";
    RunRows({
        {"JRE Path wins, a library is enough", L"JRE Path={app}\\cfg\r\n", everywhere, {Reg(kRuntime, L"1.8", L"reg")},
         L"{app}\\env", L"{app}\\cfg\\bin\\client\\jvm.dll"},
        {"a relative JRE Path lies in the launcher's folder", L"JRE Path=cfg\r\n", {{L"cfg"}}, {}, L"",
         L"{app}\\cfg\\bin\\client\\jvm.dll"},
        {"the user's remembered JRE Path comes before the settings'", L"JRE Path={app}\\cfg\r\n",
         {{L"cfg"}, {L"mine"}}, {}, L"", L"{app}\\mine\\bin\\client\\jvm.dll", L"{app}\\mine"},
        {"a service ignores the remembered JRE Path", L"JRE Path={app}\\cfg\r\n[Application]\r\nApplication Type=service\r\n",
         {{L"cfg"}, {L"mine"}}, {}, L"", L"{app}\\cfg\\bin\\client\\jvm.dll", L"{app}\\mine"},
        {"a JRE Path without a library falls through to the registry", L"JRE Path={app}\\cfg\r\n",
         {{L"cfg", {}}, {L"reg", {L"server"}}}, {Reg(kRuntime, L"1.8", L"reg")}, L"",
         L"{app}\\reg\\bin\\server\\jvm.dll"},
        {"a runtime shipped in jre\\ comes before registry and JAVA_HOME", L"", {{L"jre"}, {L"reg"}, {L"env"}},
         {Reg(kRuntime, L"1.8", L"reg")}, L"{app}\\env", L"{app}\\jre\\bin\\client\\jvm.dll"},
        {"the launcher's folder itself as a runtime comes before jre\\", L"", {{L""}, {L"jre"}}, {}, L"",
         L"{app}\\bin\\client\\jvm.dll"},
        {"a shipped runtime needs its marker", L"", {{L"jre", {L"client"}, false}}, {}, L"", kNone},
        {"a shipped runtime is not checked for its architecture", pair, {{L"jre", {L"client"}, true, true}},
         {Reg(kRuntime, L"1.8", L"reg", View::Other)}, L"", L"{app}\\jre\\bin\\client\\jvm.dll"},
        {"JAVA_HOME is the last source", L"", {{L"env"}}, {}, L"{app}\\env", L"{app}\\env\\bin\\client\\jvm.dll"},
        {"JAVA_HOME without marker", L"", {{L"env", {L"client"}, false}}, {}, L"{app}\\env", kNone},
        {"JAVA_HOME without library", L"", {{L"env", {}}}, {}, L"{app}\\env", kNone},
        {"JAVA_HOME naming nothing", L"", {}, {}, L"{app}\\absent", kNone},
        {"JAVA_HOME of the other machine goes to the paired product", pair, {{L"env", {L"server"}, true, true}}, {},
         L"{app}\\env", kPaired},
        {"JRE Path of the other machine goes to the paired product", L"{pair}JRE Path={app}\\cfg\r\n", {{L"cfg", {L"client"}, false, true}}, {}, L"", kPaired},
        {"without a paired product it is loaded", L"JRE Path={app}\\cfg\r\n", {{L"cfg", {L"client"}, false, true}}, {},
         L"", L"{app}\\cfg\\bin\\client\\jvm.dll"},
        {"a library that is no image is loaded, not paired", L"{pair}JRE Path={app}\\cfg\r\n", {{L"cfg"}}, {}, L"", L"{app}\\cfg\\bin\\client\\jvm.dll"},
        {"the other view is read only with a paired product", L"", {{L"b"}, {L"env"}},
         {Reg(kRuntime, L"1.8", L"b", View::Other)}, L"{app}\\env", L"{app}\\env\\bin\\client\\jvm.dll"},
        {"the other view's runtime is for the paired product", pair, {{L"b"}},
         {Reg(kRuntime, L"1.8", L"b", View::Other)}, L"", kPaired},
        {"the own view comes first", pair, {{L"a"}, {L"b"}},
         {Reg(kRuntime, L"1.7", L"a"), Reg(kRuntime, L"1.8", L"b", View::Other)}, L"", L"{app}\\a\\bin\\client\\jvm.dll"},
    });
}

TEST(Discovery, RegistryVersionsBoundsAndPreferences) {
    const std::vector<Runtime> two = {{L"old"}, {L"new"}};
    const std::vector<RegistryRow> both = {Reg(kRuntime, L"1.7.0_80", L"old"), Reg(kRuntime, L"1.8.0_45", L"new")};
    const WString oldLib = L"{app}\\old\\bin\\client\\jvm.dll", newLib = L"{app}\\new\\bin\\client\\jvm.dll";
    RunRows({
        {"the newest within the bounds", L"Minimum Version=1.6\r\n", two, both, L"", newLib},
        {"a preferred version first", L"Preferred versions=1.7\r\n", two, both, L"", oldLib},
        {"a maximum covers its whole family", L"Maximum Version=1.7\r\n", two, both, L"", oldLib},
        {"a minimum above both", L"Minimum Version=1.8.0_46\r\n", two, both, L"", kNone},
        {"a name without digits is version 0", L"", {{L"a"}}, {Reg(kRuntime, L"CurrentVersion", L"a")}, L"",
         L"{app}\\a\\bin\\client\\jvm.dll"},
        {"equal versions keep the key order", L"", {{L"a"}, {L"b"}},
         {Reg(kJre, L"1.8.0_45", L"a"), Reg(kJdk, L"1.8.0.45", L"b")}, L"", L"{app}\\b\\bin\\client\\jvm.dll"},
        {"runtimes without library, home or folder are skipped", L"", {{L"good"}, {L"empty", {}}},
         {Reg(kRuntime, L"1.6", L"good"), Reg(kRuntime, L"1.8", L"empty"), Reg(kRuntime, L"11", L"absent"),
          {View::Own, kRuntime, L"1.9", L"", REG_SZ, std::nullopt, L"Other"}},
         L"", L"{app}\\good\\bin\\client\\jvm.dll"},
        {"a server VM only when asked for", L"JVM Type=server\r\n", {{L"good"}}, {Reg(kRuntime, L"1.6", L"good")}, L"",
         kNone},
    });
}

TEST(Discovery, KindsVendorsAndVmTypes) {
    // A JDK registered under the old key keeps its runtime in jre\.
    const std::vector<Runtime> jreAndJdk = {{L"jre8"}, {L"jdk7\\jre"}};
    const std::vector<RegistryRow> kinds = {Reg(kJre, L"1.8", L"jre8"), Reg(kDevKit, L"1.7", L"jdk7")};
    const WString jre8 = L"{app}\\jre8\\bin\\client\\jvm.dll", jdk7 = L"{app}\\jdk7\\jre\\bin\\client\\jvm.dll";
    const std::vector<Runtime> vendors = {{L"sun"}, {L"jrockit"}, {L"ibm"}};
    const std::vector<RegistryRow> vendorRows = {Reg(kRuntime, L"1.8", L"sun"), Reg(kJRockitJre, L"1.6", L"jrockit"),
                                                 Reg(kIbm, L"1.7", L"ibm")};
    const std::vector<Runtime> vms = {{L"jdk\\jre", {L"server"}}, {L"rt", {L"client", L"server"}}};
    RunRows({
        {"by default the newest of any kind", L"", jreAndJdk, kinds, L"", jre8},
        {"favor_JDK takes an older JDK", L"JVM Source=favor_JDK\r\n", jreAndJdk, kinds, L"", jdk7},
        {"only_JDK", L"JVM Source=only_JDK\r\n", jreAndJdk, kinds, L"", jdk7},
        {"an unknown source searches nothing", L"JVM Source=neither\r\n", jreAndJdk, kinds, L"", kNone},
        {"only_JRE does not read the JDK keys", L"JVM Source=only_JRE\r\n", {{L"jdk7\\jre"}, {L"jdk11"}},
         {Reg(kDevKit, L"1.8", L"jdk7"), Reg(kJdk, L"11", L"jdk11")}, L"", kNone},
        {"by default only Sun", L"", vendors, vendorRows, L"", L"{app}\\sun\\bin\\client\\jvm.dll"},
        {"favor_jrockit", L"VM Provider=favor_jrockit\r\n", vendors, vendorRows, L"", L"{app}\\jrockit\\bin\\client\\jvm.dll"},
        {"favor_ibm", L"VM Provider=favor_ibm\r\n", vendors, vendorRows, L"", L"{app}\\ibm\\bin\\client\\jvm.dll"},
        {"any: nobody favoured, the newest wins", L"VM Provider=any\r\n", vendors, vendorRows, L"",
         L"{app}\\sun\\bin\\client\\jvm.dll"},
        {"ibm only", L"VM Provider=ibm\r\n", vendors, vendorRows, L"", L"{app}\\ibm\\bin\\client\\jvm.dll"},
        {"jrockit only", L"VM Provider=jrockit\r\n", vendors, vendorRows, L"", L"{app}\\jrockit\\bin\\client\\jvm.dll"},
        {"only_JDK with favor_jrockit does not rank JRockit first", L"JVM Source=only_JDK\r\nVM Provider=favor_jrockit\r\n",
         {{L"sunjdk"}, {L"rjdk\\jre"}}, {Reg(kJdk, L"1.8", L"sunjdk"), Reg(kJRockitJdk, L"1.6", L"rjdk")}, L"",
         L"{app}\\sunjdk\\bin\\client\\jvm.dll"},
        {"favor_server: the old runtime key looks up client first and ranks after a server VM",
         L"JVM Type=favor_server\r\n", vms, {Reg(kDevKit, L"1.7", L"jdk"), Reg(kRuntime, L"1.8", L"rt")}, L"",
         L"{app}\\jdk\\jre\\bin\\server\\jvm.dll"},
        {"favor_server: other keys look up server first", L"JVM Type=favor_server\r\n", vms,
         {Reg(kDevKit, L"1.7", L"jdk"), Reg(kJre, L"1.8", L"rt")}, L"", L"{app}\\rt\\bin\\server\\jvm.dll"},
        {"server only: the newer server VM", L"JVM Type=server\r\n", vms,
         {Reg(kDevKit, L"1.7", L"jdk"), Reg(kRuntime, L"1.8", L"rt")}, L"", L"{app}\\rt\\bin\\server\\jvm.dll"},
    });
}

TEST(Discovery, HostileRegistryValuesNeitherCrashNorHang) {
    std::vector<RegistryRow> rows = {
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
        rows.push_back({View::Own, kRuntime, i % 3 == 0 ? L"junk" + std::to_wstring(i) : L"2." + std::to_wstring(i),
                        L"x", REG_SZ, std::nullopt, L"Other"});
    }
    RunRows({
        {"hostile values and names", L"Minimum Version=1.6\r\n", {{L"good"}}, rows, L"",
         L"{app}\\good\\bin\\client\\jvm.dll"},
        // Binary data without terminator reads as text; text with junk after its NUL ends at the NUL.
        {"JavaHome of any type and shape", L"", {{L"rt"}},
         {Raw(L"1.6", REG_BINARY, Wide(L"{app}\\rt")), Raw(L"1.7", REG_EXPAND_SZ, Wide(WString(L"{app}\\rt") + L'\0' + L"C:\\x"))},
         L"", L"{app}\\rt\\bin\\client\\jvm.dll"},
    });
}

TEST(Discovery, AnEmptyJavaHomeDoesNotNameTheDriveRoot) {
    // With a backslash added, an empty value would read as the current drive's root.
    TempFolder folder;
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    WriteBytes(L"C:\\bin\\java.dll", "marker");
    const WString before = GetEnvironment(L"JAVA_HOME");
    SetEnvironmentVariableW(L"JAVA_HOME", L"");
    const WString found = JavaHomeFromEnvironment();
    SetEnvironmentVariableW(L"JAVA_HOME", before.empty() ? nullptr : before.c_str());
    SetCurrentDirectoryW(previous);
    DeleteFileW(L"C:\\bin\\java.dll");
    RemoveDirectoryW(L"C:\\bin");
    EXPECT_EQ(found, L"");
}

}  // namespace
}  // namespace tarn::test
