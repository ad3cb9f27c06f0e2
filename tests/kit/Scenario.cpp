#include "tests/kit/Scenario.h"

#include <gtest/gtest.h>

#include "base/Environment.h"
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

}  // namespace

WStringList Outcome::DialogTexts() const {
    WStringList texts;
    for (const SeenDialog& dialog : dialogs) texts.push_back(dialog.text);
    return texts;
}

Launch::Launch(Scenario scenario) : scenario_(std::move(scenario)), folder_(std::make_unique<TempFolder>(scenario_.folderName)) {
    trace_ = std::make_unique<TraceFile>(Folder() + L"\\trace.txt");
    CopyTo(scenario_.launcher.empty() ? LauncherExe() : scenario_.launcher, ExePath());
    if (!scenario_.settings.empty()) {
        WriteUtf16File(Folder() + L"\\" + scenario_.exeName.substr(0, scenario_.exeName.rfind(L'.')) + L".ini",
                       Expand(scenario_.settings));
    }
    for (const auto& [name, script] : scenario_.classes) WriteClass(Folder() + L"\\classes", name, script);
    for (const RuntimeFolder& runtime : scenario_.runtimes) LayOutRuntime(Expand(runtime.folder), runtime.spec);
    for (const auto& [name, bytes] : scenario_.files) {
        const WString path = Expand(name);
        if (bytes.rfind("\xFF\xFE", 0) == 0) {  // UTF-16 text: expanded too
            WriteUtf16File(path, Expand(WString(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2)));
        } else {
            WriteBytes(path, bytes);
        }
        if (path.rfind(Folder() + L"\\", 0) != 0) outsideFiles_.push_back(path);
    }
    if (scenario_.input) {
        UseOwnConsole();
        WriteBytes(Folder() + L"\\stdin.txt", *scenario_.input);
    }
    if (!scenario_.registry.empty()) CleanRuntimeRegistry();
    for (const RegistryRow& row : scenario_.registry) {
        if (!row.raw) {
            const WString home = Expand(row.home);
            WriteRow(row, std::string(reinterpret_cast<const char*>(home.c_str()), (home.size() + 1) * sizeof(wchar_t)));
        } else if (row.raw->size() % 2 == 0) {  // UTF-16 text, as most values are: expanded too
            const WString text = Expand(WString(reinterpret_cast<const wchar_t*>(row.raw->data()), row.raw->size() / 2));
            WriteRow(row, std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
        } else {
            WriteRow(row, *row.raw);
        }
    }
}

Launch::~Launch() {
    if (!scenario_.registry.empty()) CleanRuntimeRegistry();
    const WString appData = GetEnvironment(L"APPDATA");
    for (const WString& path : outsideFiles_) {
        DeleteFileW(path.c_str());
        // Folders the scenario created for it go too, as far as they are empty.
        for (WString folder = path.substr(0, path.rfind(L'\\')); folder.size() > appData.size();
             folder = folder.substr(0, folder.rfind(L'\\'))) {
            if (!RemoveDirectoryW(folder.c_str())) break;
        }
    }
}

const WString& Launch::Folder() const { return folder_->Path(); }

WString Launch::Expand(const WString& text) const {
    return Replace(Replace(text, L"{app}", Folder()), L"{appdata}", GetEnvironment(L"APPDATA"));
}

RunOptions Launch::Options() const {
    RunOptions options;
    options.timeoutMs = scenario_.timeoutMs;
    options.onDialog = scenario_.onDialog;
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
    return std::make_unique<ChildProcess>(ExePath(), Expand(arguments), Options());
}

Outcome Launch::Finish(ChildProcess& process) {
    const RunResult result = process.Wait(Options());
    Outcome outcome;
    outcome.finished = result.finished;
    outcome.exitCode = result.ExitCode();
    outcome.dialogs = result.dialogs;
    outcome.trace = ReadTrace();
    outcome.options = outcome.trace.Options();
    outcome.out = PrintedTo(outcome.trace, "stdout");
    outcome.err = PrintedTo(outcome.trace, "stderr");
    if (scenario_.input) {
        outcome.stdoutBytes = ReadBytes(Folder() + L"\\stdout.txt");
        outcome.stderrBytes = ReadBytes(Folder() + L"\\stderr.txt");
    }
    EXPECT_TRUE(NoWarnings(outcome.trace));
    return outcome;
}

Outcome Launch::Run(const WString& arguments) {
    std::unique_ptr<ChildProcess> process = Start(arguments);
    return Finish(*process);
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

std::string Utf16Bytes(const WString& text) {
    const WString withMark = L"\xFEFF" + text;
    return std::string(reinterpret_cast<const char*>(withMark.data()), withMark.size() * sizeof(wchar_t));
}

WString AppSettings(const WString& extra) {
    const bool ownClassPath = extra.find(L"Class Path=") != WString::npos;
    const bool ownMain = extra.find(L"Main Class=") != WString::npos;
    return (ownClassPath ? L"" : L"[Class Path]\r\nClass Path=classes\r\n") + WString(L"[Java Runtime Environment]\r\n") +
           (ownMain ? L"" : L"Main Class=app.Main\r\n") + extra;
}

}  // namespace tarn::test
