// End-to-end launches as rows of a table (tests/README.md shows one): a Scenario says what the
// user's machine holds (the product folder, its settings, the Java programs, runtimes, registry
// rows, per-user files, the environment); a Launch lays it out, runs the real launcher and reports
// what came out. In every text of a Scenario (settings, arguments, file names, UTF-16 file
// contents, environment values, registry values) "{app}" stands for the product folder and
// "{appdata}" for APPDATA.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Handles.h"
#include "tests/kit/Process.h"
#include "tests/kit/TextFiles.h"  // Utf16Bytes for INI files among Scenario::files
#include "tests/standin/kit/Standin.h"

namespace tarn::test {

inline void CloseService(SC_HANDLE handle) noexcept { CloseServiceHandle(handle); }
using ServiceHandle = UniqueResource<ResourceTraits<SC_HANDLE, nullptr, CloseService>>;

enum class View { Own, Other };  // the registry view a process of this build reads by default, or the other

struct RegistryRow {  // HKEY_LOCAL_MACHINE\<key>\<version> with JavaHome=<home>
    View view = View::Own;
    WString key;  // e.g. L"Software\\JavaSoft\\Java Runtime Environment"
    WString version;
    WString home;
    DWORD type = REG_SZ;
    std::optional<std::string> raw;  // the value's bytes instead of home (hostile values); {app} expanded in UTF-16 ones
    WString name = L"JavaHome";
};

struct RuntimeFolder {
    WString folder;  // "{app}\\jre" or any other path
    RuntimeSpec spec;
};

struct Scenario {
    WString settings;                                      // the whole settings file (App.ini)
    std::vector<std::pair<std::string, std::string>> classes;  // class name a/b/C, class script (under {app}\classes)
    WString arguments;
    std::vector<RuntimeFolder> runtimes = {{L"{app}\\jre", {}}};  // laid out before the run
    std::vector<std::pair<WString, std::string>> files;     // further files: path, bytes (Utf16Bytes: INI text, expanded)
    std::vector<RegistryRow> registry;                     // removed again at the end, with every vendor tree
    // For the launcher; an empty value removes a variable, WString(1, L'\0') sets it to nothing.
    std::vector<std::pair<WString, WString>> environment;
    WString exeName = L"App.exe";
    WString folderName = L"app";  // the start of the product folder's name
    WString launcher;  // the executable copied as exeName; the real launcher when empty
    WString workingFolder;  // the launcher's current folder; the test's own when empty
    DWORD timeoutMs = 60000;
    // Called for each new dialog while the launcher runs; returns true when it answered it (else OK is pressed).
    std::function<bool(const SeenDialog&)> onDialog;
    // A console program: its standard input (a file holding this text), its standard output and
    // error captured into the Outcome; it shares the test's own console (tests/kit/Console.h).
    std::optional<std::string> input;
    bool errorOnConsole = false;  // with input: standard error goes to that console's screen instead
    // Started by the Service Control Manager instead, as a service of its own with the arguments on
    // its command line; interactive, so that a window it opened would show. Services take their
    // environment from the registry, so `environment` does not apply (tests/wine-run.sh).
    bool service = false;
    bool noStandardHandles = false;  // started as from the Explorer, without standard handles
};

struct Outcome {
    bool finished = false;  // false: the time ran out and the process was killed
    int exitCode = 0;
    std::vector<SeenDialog> dialogs;
    WStringList DialogTexts() const;
    Trace trace;
    std::vector<std::string> options;  // what JNI_CreateJavaVM received, in order (the two hooks included)
    WStringList out, err;               // what the program printed to System.out and System.err
    std::string stdoutBytes, stderrBytes;  // with Scenario::input: what reached the standard handles
    // A service: the SCM's last WIN32_EXIT_CODE and SERVICE_EXIT_CODE, and the text of every event
    // it reported (from Wine's err:eventlog lines). exitCode is the process's, when the kit could
    // still open the process once the service had started (processHeld).
    DWORD serviceExitCode = 0, serviceSpecificExitCode = 0;
    WStringList events;
    bool processHeld = true;
};

class Launch {
public:
    explicit Launch(Scenario scenario);  // lays out the product folder and everything else
    ~Launch();                           // removes registry rows and files outside the product folder
    Launch(const Launch&) = delete;
    Launch& operator=(const Launch&) = delete;

    // Runs the launcher to its end with the scenario's arguments (or these) and checks the stand-in
    // saw no JNI misuse.
    Outcome Run() { return Run(scenario_.arguments); }
    Outcome Run(const WString& arguments) { return Finish(*Start(arguments)); }
    // Starts the launcher and leaves it running (a second one may start meanwhile); Finish waits for it.
    std::unique_ptr<ChildProcess> Start(const WString& arguments);
    Outcome Finish(ChildProcess& process);

    const WString& Folder() const;
    WString ExePath() const { return Folder() + L"\\" + scenario_.exeName; }
    WString Expand(const WString& text) const;  // replaces {app} and {appdata}
    WStringList Expand(WStringList lines) const;
    Trace ReadTrace() const { return trace_->Read(); }
    // A service scenario, once started: what the SCM says of it now, and a control sent to it.
    SERVICE_STATUS_PROCESS ServiceStatus() const;
    bool ControlService(DWORD control) const;

private:
    RunOptions Options() const;  // the environment, time limit and dialog answers of a run
    std::unique_ptr<ChildProcess> StartAsService(const WString& arguments);

    Scenario scenario_;
    std::unique_ptr<class TempFolder> folder_;
    std::unique_ptr<TraceFile> trace_;
    std::vector<WString> outsideFiles_;  // and the folders made for them
    ServiceHandle serviceManager_, service_;  // a service scenario's, deleted when the Launch goes
    size_t eventsFrom_ = 0;  // where this run's lines begin in the services' standard error
};

// A named event the stand-in waits for ("await NAME", -Dtarn.standin.createGate=NAME); opened at the
// latest when it goes, so that nothing stays blocked after a failed check.
class Gate {
public:
    Gate();
    ~Gate() { Open(); }
    const std::string& Name() const { return name_; }
    void Open() const { SetEvent(event_.get()); }

private:
    std::string name_;
    HandleHolder event_;
};

// The usual end: finished in time with exitCode, and no dialog.
void ExpectCleanEnd(const Outcome& outcome, int exitCode);
// The value after "name=" of the first line printed to System.out that starts with it; "<absent>" when none.
WString PrintedValue(const Outcome& outcome, const WString& name);

// Settings text for the usual product: class path "classes" and main class app.Main unless extra
// gives its own ("Class Path=" in its own [Class Path] section, "Main Class="), then extra's lines,
// which belong to [Java Runtime Environment] unless they open a section.
WString AppSettings(const WString& extra = L"");

}  // namespace tarn::test
