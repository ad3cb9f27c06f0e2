// Test support around the stand-in Java runtime: where its libraries are, runtime folders laid
// out as real ones look, Java programs (class scripts in folders and jars) and the trace it writes.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"

namespace tarn::test {

enum class JvmVariant { Full, NoLauncherHelper, NoDefaultInitArgs, NoCreateJavaVm };
enum class Arch { Native, Other };  // Native: the tests' own (x86_64); Other: the i686 image

// A stand-in jvm.dll of this build (Other: from the i686 build tree).
WString StandinJvm(JvmVariant variant = JvmVariant::Full, Arch arch = Arch::Native);
WString StandinSplashLibrary(Arch arch = Arch::Native);

struct RuntimeSpec {
    std::vector<WString> vms = {L"client"};  // folders under bin\ that get a jvm.dll: client, server, classic, hotspot, jrockit
    bool javaMarker = true;                   // bin\java.dll
    bool jdk = false;                         // a JDK: bin\javac.exe, and the runtime itself under jre\ .
    bool splashLibrary = false;               // bin\splashscreen.dll
    JvmVariant variant = JvmVariant::Full;
    Arch arch = Arch::Native;
};

// Lays out a runtime under home and returns the folder holding its bin\ (home, or home\jre for a JDK),
// with a trailing backslash.
WString LayOutRuntime(const WString& home, const RuntimeSpec& spec = {});

// Java programs for the stand-in. A class a/b/C is the entry a/b/C.class holding a class script.
using JarEntries = std::vector<std::pair<std::string, std::string>>;  // entry name, content
void WriteClass(const WString& classPathFolder, const std::string& className, const std::string& script);
void WriteJar(const WString& jarPath, const JarEntries& entries);
void AppendJarToExecutable(const WString& exePath, const JarEntries& entries);

// The environment variable that names the trace file for the stand-in.
constexpr const wchar_t* kTraceVariable = L"TARN_STANDIN_TRACE";

}  // namespace tarn::test
