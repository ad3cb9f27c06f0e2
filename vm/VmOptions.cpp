// Turns the settings into the VM options, the redirection targets and the extra arguments of main.
#include <windows.h>

#include "base/Conversion.h"
#include "base/Environment.h"
#include "base/PathText.h"
#include "launcher/Settings.h"
#include "vm/ClassPath.h"
#include "report/Reporter.h"
#include "vm/OptionPaths.h"
#include "vm/OptionText.h"
#include "vm/VmHost.h"

namespace tarn {
namespace {

// Read at the moment each share is resolved, as the machine reports it to this process.
uint64_t ReadMemoryBase(MemoryBase base) {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return base == MemoryBase::FreeAddressSpace ? status.dwAvailVirtual : status.dwTotalPhys;
}

WString ExpandedSetting(SettingsStore& settings, const WString& section, const WString& key) {
    WString value = settings.Read(section, key);
    if (!value.empty()) value = ExpandEnvironment(value);
    return value;
}

void ReadStreamSettings(Launcher& launcher, SettingsStore& settings) {
    launcher.outputFile = ExpandedSetting(settings, kApplicationSection, L"Output File");
    launcher.outputAppend = settings.Read(kApplicationSection, L"Output Append") == L"yes";
    launcher.errorFile = ExpandedSetting(settings, kApplicationSection, L"Error File");
    launcher.errorAppend = settings.Read(kApplicationSection, L"Error Append") == L"yes";
}

// "Cmd" words follow the command line's; empty words are dropped.
void AppendExtraArguments(Launcher& launcher, SettingsStore& settings) {
    launcher.extraCommandLine = ExpandedSetting(settings, kApplicationSection, L"Cmd");
    WStringList words;
    SplitCommandLine(launcher.extraCommandLine, words);
    for (WString& word : words) {
        if (!word.empty()) launcher.arguments.push_back(std::move(word));
    }
}

// Empty: 209, the setting names nothing. Otherwise none of its entries exists: name the first.
void ReportEmptyClassPath(const Launcher& launcher, const ClassPath& built) {
    if (built.firstMissing.empty()) {
        ShowErrorBox(launcher.reporter, 209);
    } else {
        ShowFormattedError(launcher.reporter, 252, {built.firstMissing});
    }
}

}  // namespace

bool BuildVmOptions(Launcher& launcher) {
    SettingsStore* settings = LayeredSettings(launcher);
    WString module;
    if (settings == nullptr || !GetModulePath(launcher.reporter, module)) return false;
    const ClassPath built = BuildClassPath(settings->Read(kClassPathSection, L"Class Path"), FolderOfPath(module));
    WString classPath = built.text;
    if (EqualsNoCase(settings->Read(kApplicationSection, L"Embedded Jar"), L"Yes")) {
        classPath = module + L";" + classPath;
    }
    if (classPath.empty()) {
        ReportEmptyClassPath(launcher, built);
        return false;
    }
    // The class path is final: its references were expanded once, and names found on disk are
    // taken as they are.
    NarrowString narrowClassPath;
    if (!NarrowPathList(launcher, classPath, false, narrowClassPath)) return false;
    launcher.vmOptions.push_back("-Djava.class.path=" + narrowClassPath);
    WStringList parameters;
    for (const WString& token : SplitVmParameters(settings->Read(kJreSection, L"Virtual Machine Parameters"))) {
        AddVmParameter(token, parameters, launcher.vmThreadStackSize, &ReadMemoryBase);
    }
    for (const WString& parameter : parameters) {
        WString expanded;
        if (!ExpandVmParameter(launcher, parameter, expanded)) return false;
        launcher.vmOptions.push_back(ToNarrow(expanded));
    }
    ReadStreamSettings(launcher, *settings);
    AppendExtraArguments(launcher, *settings);
    return true;
}

}  // namespace tarn
