#include "tests/kit/Scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "base/Environment.h"
#include "tests/kit/Dialogs.h"
#include "tests/kit/Locations.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

REGSAM ViewFlag(View view) {
    const bool own = view == View::Own;
    return (sizeof(void*) == 8) == own ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

void WriteRow(const RegistryRow& row, const std::string& bytes) {
    HKEY key = nullptr;
    const WString subkey = row.key + L"\\" + row.version;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | ViewFlag(row.view),
                              nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << ToUtf8(subkey);
    RegSetValueExW(key, row.name.c_str(), 0, row.type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

// Removes every vendor tree the runtime search reads, in both views.
void CleanRuntimeRegistry() {
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY software = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | view, &software) != ERROR_SUCCESS) continue;
        for (const wchar_t* vendor : {L"JavaSoft", L"JRockit", L"IBM", L"Eclipse Adoptium", L"Eclipse Foundation",
                                      L"AdoptOpenJDK", L"Microsoft\\JDK", L"Semeru", L"Azul Systems", L"BellSoft"}) {
            RegDeleteTreeW(software, vendor);
        }
        RegCloseKey(software);
    }
}

WString Replace(WString text, const WString& token, const WString& value) {
    for (size_t at = text.find(token); at != WString::npos; at = text.find(token, at + value.size())) {
        text.replace(at, token.size(), value);
    }
    return text;
}

WStringList PrintedTo(const Trace& trace, const std::string& stream) {
    WStringList lines;
    for (const TraceLine& line : trace.Named("Print")) {
        const std::vector<std::string> fields = line.Fields();
        if (fields.size() == 2 && fields[0] == stream) lines.push_back(FromUtf8(fields[1]));
    }
    return lines;
}

// What tests/wine-run.sh sets up for the services of the test's prefix: the stand-in's trace file,
// and services.exe's standard error, which receives Wine's err:eventlog lines.
const WString kServiceTrace = L"C:\\service-trace.txt";
const WString kServicesLog = L"C:\\services.log";

// Each event's text, which Wine writes as L"..." with \n, \r, \t, \", \\ and \XXXX for other characters.
WStringList EventTexts(const std::string& log) {
    const std::string marker = "err:eventlog:ReportEventW L\"";
    WStringList events;
    for (size_t at = log.find(marker); at != std::string::npos; at = log.find(marker, at + 1)) {
        WString& text = events.emplace_back();
        for (size_t i = at + marker.size(); i < log.size() && log[i] != '"' && log[i] != '\n'; ++i) {
            const char c = log[i] == '\\' ? log[++i] : '\0';
            if (c == '\0') {
                text += static_cast<wchar_t>(log[i]);
            } else if (std::isxdigit(static_cast<unsigned char>(c))) {
                text += static_cast<wchar_t>(std::stoul(log.substr(i, 4), nullptr, 16));
                i += 3;
            } else {
                text += c == 'n' ? L'\n' : c == 'r' ? L'\r' : c == 't' ? L'\t' : static_cast<wchar_t>(c);
            }
        }
    }
    return events;
}

}  // namespace

WStringList Outcome::DialogTexts() const {
    WStringList texts;
    for (const SeenDialog& dialog : dialogs) texts.push_back(dialog.text);
    return texts;
}

Launch::Launch(Scenario scenario) : scenario_(std::move(scenario)), folder_(std::make_unique<TempFolder>(scenario_.folderName)) {
    trace_ = std::make_unique<TraceFile>(scenario_.service ? kServiceTrace : Folder() + L"\\trace.txt");
    CopyTo(scenario_.launcher.empty() ? LauncherExe() : scenario_.launcher, ExePath());
    if (!scenario_.settings.empty()) {
        WriteUtf16File(Folder() + L"\\" + scenario_.exeName.substr(0, scenario_.exeName.rfind(L'.')) + L".ini",
                       Expand(scenario_.settings));
    }
    for (const auto& [name, script] : scenario_.classes) WriteClass(Folder() + L"\\classes", name, script);
    for (const RuntimeFolder& runtime : scenario_.runtimes) LayOutRuntime(Expand(runtime.folder), runtime.spec);
    auto expandText = [this](const std::string& bytes) {  // UTF-16 text: {app} and {appdata} replaced
        const WString text = Expand(WString(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2));
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    };
    for (const auto& [name, bytes] : scenario_.files) {
        const WString path = Expand(name);
        for (WString made = path; path.rfind(Folder() + L"\\", 0) != 0 && !FileExists(made); made.resize(made.rfind(L'\\')))
            outsideFiles_.push_back(made);  // a file outside the product folder, and each folder made for it
        WriteBytes(path, bytes.rfind("\xFF\xFE", 0) == 0 ? expandText(bytes) : bytes);
    }
    if (scenario_.input) {
        UseOwnConsole();
        WriteBytes(Folder() + L"\\stdin.txt", *scenario_.input);
    }
    if (!scenario_.registry.empty()) CleanRuntimeRegistry();
    for (const RegistryRow& row : scenario_.registry) {  // the home with its NUL, or the raw bytes; text of either expanded
        const std::string bytes = row.raw ? *row.raw : std::string(reinterpret_cast<const char*>(row.home.c_str()),
                                                                   (row.home.size() + 1) * sizeof(wchar_t));
        WriteRow(row, bytes.size() % 2 == 0 ? expandText(bytes) : bytes);
    }
}

Launch::~Launch() {
    if (!scenario_.registry.empty()) CleanRuntimeRegistry();
    if (service_) DeleteService(service_.get());
    // Deepest first: every file before the folder that holds it.
    std::sort(outsideFiles_.begin(), outsideFiles_.end(), [](const WString& a, const WString& b) { return a.size() > b.size(); });
    for (const WString& path : outsideFiles_) {
        if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
    }
}

const WString& Launch::Folder() const { return folder_->Path(); }

WString Launch::Expand(const WString& text) const {
    return Replace(Replace(text, L"{app}", Folder()), L"{appdata}", GetEnvironment(L"APPDATA"));
}

WStringList Launch::Expand(WStringList lines) const {
    for (WString& line : lines) line = Expand(line);
    return lines;
}

RunOptions Launch::Options() const {
    RunOptions options;
    options.timeoutMs = scenario_.timeoutMs;
    options.workingFolder = Expand(scenario_.workingFolder);
    options.onDialog = scenario_.onDialog;
    options.noStandardHandles = scenario_.noStandardHandles;
    for (const auto& [name, value] : scenario_.environment) options.environment.emplace_back(name, Expand(value));
    options.environment.push_back(trace_->Variable());
    if (scenario_.input) {
        options.inputFile = Folder() + L"\\stdin.txt";
        options.outputFile = Folder() + L"\\stdout.txt";
        options.errorFile = scenario_.errorOnConsole ? WString(L"CONOUT$") : Folder() + L"\\stderr.txt";
    }
    return options;
}

std::unique_ptr<ChildProcess> Launch::Start(const WString& arguments) {
    if (scenario_.service) return StartAsService(arguments);
    auto process = std::make_unique<ChildProcess>(ExePath(), Expand(arguments), Options());
    EXPECT_TRUE(process->Started()) << "cannot start " << ToUtf8(ExePath()) << ": error " << process->StartError();
    return process;
}

Outcome Launch::Finish(ChildProcess& process) {
    const RunResult result = process.Wait(Options());
    const Trace trace = ReadTrace();
    EXPECT_TRUE(NoWarnings(trace));
    Outcome outcome{.finished = result.finished, .exitCode = result.ExitCode(), .dialogs = result.dialogs, .trace = trace,
                    .options = trace.Options(), .out = PrintedTo(trace, "stdout"), .err = PrintedTo(trace, "stderr")};
    if (scenario_.input) {
        outcome.stdoutBytes = ReadBytes(Folder() + L"\\stdout.txt");
        outcome.stderrBytes = ReadBytes(Folder() + L"\\stderr.txt");
    }
    if (scenario_.service) {
        // The SCM's end follows the process's; of a process gone before the kit could hold it, only the SCM speaks.
        outcome.processHeld = process.Started();
        const bool stopped = AwaitCondition([&] { return ServiceStatus().dwCurrentState == SERVICE_STOPPED; },
                                            outcome.processHeld ? 5000 : scenario_.timeoutMs);
        outcome.finished = outcome.processHeld ? outcome.finished : stopped;
        outcome.serviceExitCode = ServiceStatus().dwWin32ExitCode;
        outcome.serviceSpecificExitCode = ServiceStatus().dwServiceSpecificExitCode;
        outcome.events = EventTexts(ReadBytes(kServicesLog).substr(eventsFrom_));
    }
    return outcome;
}

std::unique_ptr<ChildProcess> Launch::StartAsService(const WString& arguments) {
    eventsFrom_ = ReadBytes(kServicesLog).size();
    const WString name = Folder().substr(Folder().rfind(L'\\') + 1), exe = L"\"" + ExePath() + L"\" " + Expand(arguments);
    serviceManager_.reset(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    service_.reset(CreateServiceW(serviceManager_.get(), name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                                  SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS, SERVICE_DEMAND_START,
                                  SERVICE_ERROR_NORMAL, exe.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(service_ && StartServiceW(service_.get(), 0, nullptr)) << "cannot start the service: error " << GetLastError();
    return std::make_unique<ChildProcess>(ServiceStatus().dwProcessId, ExePath());
}

SERVICE_STATUS_PROCESS Launch::ServiceStatus() const {
    SERVICE_STATUS_PROCESS status{};
    DWORD size = 0;
    QueryServiceStatusEx(service_.get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof status, &size);
    return status;
}

bool Launch::ControlService(DWORD control) const {
    SERVICE_STATUS status{};
    return ::ControlService(service_.get(), control, &status) != FALSE;
}

Gate::Gate() {
    static int count = 0;
    name_ = "tarn-gate-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    event_.reset(CreateEventA(nullptr, TRUE, FALSE, name_.c_str()));
}

void ExpectCleanEnd(const Outcome& outcome, int exitCode) {
    EXPECT_TRUE(outcome.finished) << "the launcher did not end in time";
    EXPECT_EQ(outcome.exitCode, exitCode) << outcome.trace.Text();
    EXPECT_EQ(outcome.DialogTexts(), WStringList{});
}

WString PrintedValue(const Outcome& outcome, const WString& name) {
    const WString prefix = name + L"=";
    for (const WString& line : outcome.out) {
        if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
    }
    return L"<absent>";
}

WString AppSettings(const WString& extra) {
    const bool ownClassPath = extra.find(L"Class Path=") != WString::npos;
    const bool ownMain = extra.find(L"Main Class=") != WString::npos;
    return (ownClassPath ? L"" : L"[Class Path]\r\nClass Path=classes\r\n") + WString(L"[Java Runtime Environment]\r\n") +
           (ownMain ? L"" : L"Main Class=app.Main\r\n") + extra;
}

}  // namespace tarn::test
