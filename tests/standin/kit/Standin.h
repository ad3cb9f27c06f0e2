// Test support around the stand-in Java runtime: where its libraries are, runtime folders laid
// out as real ones look, Java programs (class scripts in folders) and the trace it writes.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Text.h"

namespace testing {
class AssertionResult;
}

namespace tarn::test {

enum class JvmVariant { Full, NoLauncherHelper, NoDefaultInitArgs, NoCreateJavaVm };
// Native: the tests' own (x86_64); Other: the i686 image; Arm64: the ARM64 image, never run
enum class Arch { Native, Other, Arm64 };

// A stand-in jvm.dll of this build (Other, Arm64: from that build tree).
WString StandinJvm(JvmVariant variant = JvmVariant::Full, Arch arch = Arch::Native);
WString StandinSplashLibrary(Arch arch = Arch::Native);

struct RuntimeSpec {
    std::vector<WString> vms = {L"client"};  // folders under bin\ that get a jvm.dll: client, server, classic, hotspot, jrockit
    bool javaMarker = true;                   // bin\java.dll
    bool jdk = false;                         // a JDK: bin\javac.exe, and the runtime itself under jre\ .
    bool splashLibrary = false;               // bin\splashscreen.dll
    JvmVariant variant = JvmVariant::Full;
    Arch arch = Arch::Native;
    std::string version;  // JAVA_VERSION of its release file ("1.8.0_392", "21.0.2"); no file when empty
};

// Lays out a runtime under home and returns the folder holding its bin\ (home, or home\jre for a JDK),
// with a trailing backslash.
WString LayOutRuntime(const WString& home, const RuntimeSpec& spec = {});

// Java programs for the stand-in: a class a/b/C (or a.b.C) is the file a\b\C.class under a class
// path folder, holding a class script.
void WriteClass(const WString& classPathFolder, const std::string& className, const std::string& script);
// The bytes of a jar whose entries are stored uncompressed (name, bytes), as the stand-in reads
// jars: local headers only, enough for it, not for a full zip reader.
std::string StoredJar(const std::vector<std::pair<std::string, std::string>>& entries);

// The environment variable that names the trace file for the stand-in.
constexpr const wchar_t* kTraceVariable = L"TARN_STANDIN_TRACE";

// One line of the trace: "<thread id> TAB <name> TAB <detail>" (tests/README.md lists the names).
struct TraceLine {
    DWORD thread = 0;
    std::string name;
    std::string detail;                       // UTF-8, control characters escaped as \n, \r, \t, \xNN
    std::vector<std::string> Fields() const;  // the detail split at tabs
};

class Trace {
public:
    static Trace Read(const WString& path);  // empty when the file does not exist
    explicit Trace(std::vector<TraceLine> lines = {}) : lines_(std::move(lines)) {}

    const std::vector<TraceLine>& Lines() const { return lines_; }
    std::vector<TraceLine> Named(std::string_view name) const;
    std::vector<std::string> Details(std::string_view name) const;
    std::vector<std::string> Warnings() const;
    // The option strings JNI_CreateJavaVM received, in order ("exit" and "abort" included).
    std::vector<std::string> Options() const;
    // Index of the first line at or after 'from' with this name whose detail contains 'part'; -1 if none.
    int Find(std::string_view name, std::string_view part = {}, int from = 0) const;
    bool Has(std::string_view name, std::string_view part = {}) const { return Find(name, part) >= 0; }
    std::string Text() const;  // the whole trace, for failure messages

private:
    std::vector<TraceLine> lines_;
};

// EXPECT_TRUE(NoWarnings(trace)): fails listing every warning and the whole trace.
::testing::AssertionResult NoWarnings(const Trace& trace);

// The trace file of one test.
class TraceFile {
public:
    explicit TraceFile(WString path);  // removes an earlier file of that name
    const WString& Path() const { return path_; }
    // For RunOptions::environment of a child process.
    std::pair<WString, WString> Variable() const { return {kTraceVariable, path_}; }
    // For a stand-in loaded into this process (set before its first trace line).
    void UseInThisProcess() const;
    Trace Read() const { return Trace::Read(path_); }

private:
    WString path_;
};

// The lines of a UTF-8 file written by a Java program, without their line ends (CR LF or LF).
std::vector<std::string> ReadOutputLines(const WString& path);

}  // namespace tarn::test
