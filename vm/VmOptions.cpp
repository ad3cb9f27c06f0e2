// Turns the settings into the VM options, the redirection targets and the extra arguments of main.
#include <windows.h>

#include "base/Conversion.h"
#include "base/Environment.h"
#include "base/PathText.h"
#include "launcher/Settings.h"
#include "vm/JavaLaunch.h"
#include "vm/VmHost.h"
#include "vm/VmParameterWords.h"

namespace tarn {
namespace {

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

}  // namespace

// The order of the options: those already there (the library path), JDK_JAVA_OPTIONS, the class
// path, module path and main module, then the VM parameters, so that the settings win over the
// variable as java's command line does.
bool BuildVmOptions(Launcher& launcher) {
    SettingsStore* settings = LayeredSettings(launcher);
    WString module;
    if (settings == nullptr || !GetModulePath(launcher.reporter, module)) return false;
    RuntimeVersion runtime(launcher);
    WStringList javaWords;  // the same as a java command line, for the discovery log
    for (const NarrowString& option : launcher.vmOptions) javaWords.push_back(FromNarrow(option));
    if (!AppendEnvironmentOptions(launcher, runtime)) return false;
    if (!AppendLaunchOptions(launcher, *settings, module, runtime, javaWords)) return false;
    const WString parameters = settings->Read(kJreSection, L"Virtual Machine Parameters");
    if (!AppendVmParameters(launcher, parameters, FolderOfPath(module), runtime, javaWords)) return false;
    ReadStreamSettings(launcher, *settings);
    AppendExtraArguments(launcher, *settings);
    LogJavaCommand(launcher, javaWords);
    return true;
}

}  // namespace tarn
