// End-to-end set-up for the VM hosting tests: a product folder with a copy of the launcher, the
// stand-in runtime beside it as jre\, Java programs as class scripts, and the stand-in's trace.
#pragma once
#include <string>
#include <vector>

#include "tests/kit/AppFolder.h"
#include "tests/standin/kit/Standin.h"

namespace tarn::test {

class LaunchApp {
public:
    // launcher: the executable copied as App.exe (the real launcher when empty).
    explicit LaunchApp(const RuntimeSpec& runtime = {}, const WString& launcher = L"");

    const WString& Path() const { return app_.Path(); }
    WString ExePath() const { return app_.ExePath(); }
    WString File(const WString& relative) const { return app_.File(relative); }
    // The jvm.dll the launcher is expected to choose.
    WString JvmPath() const { return runtimeFolder_ + L"bin\\client\\jvm.dll"; }
    WString RuntimeHome() const { return Path() + L"\\jre"; }

    // Settings: "Main Class" is app.Main and "Class Path" is classes unless given otherwise; extra
    // lines without a section of their own belong to [Java Runtime Environment].
    void WriteIni(const WString& extra, const WString& classPath = L"classes", const WString& mainClass = L"app.Main");
    void WriteMain(const std::string& script, const std::string& className = "app/Main");

    RunResult Run(const WString& arguments = L"", std::vector<std::pair<WString, WString>> environment = {},
                  DWORD timeoutMs = 60000) const;
    std::vector<std::pair<WString, WString>> Environment() const { return {trace_.Variable()}; }
    Trace ReadTrace() const { return trace_.Read(); }

private:
    AppFolder app_;
    WString runtimeFolder_;
    TraceFile trace_;
};

// Runs the app and checks what every clean run shows: it ends in time with exitCode, no dialog
// appears and the stand-in saw no JNI misuse. Returns the trace for the test's own checks.
Trace RunCleanly(const LaunchApp& app, int exitCode, const WString& arguments = L"",
                 std::vector<std::pair<WString, WString>> environment = {});

// What the program printed to one stream ("stdout" or "stderr"), from the trace, as UTF-16.
WStringList Printed(const Trace& trace, const std::string& stream = "stdout");
std::string Utf8(const WString& text);
// Index of the first line whose name starts with prefix (CallStaticVoidMethod, ...V, ...A) and
// whose detail contains part; -1 when none.
int FindCall(const Trace& trace, const std::string& prefix, const std::string& part = {}, int from = 0);

struct VmOption {
    std::string text;
    bool extraInfo = false;
};
// The options JNI_CreateJavaVM received, in order, with whether each carried extraInfo.
std::vector<VmOption> VmOptions(const Trace& trace);
std::vector<std::string> VmOptionTexts(const Trace& trace);
// The value after "name=" of the first printed line that starts with it; "<absent>" when none.
WString PrintedValue(const Trace& trace, const std::string& name);

}  // namespace tarn::test
