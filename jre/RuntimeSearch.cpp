#include "jre/RuntimeSearch.h"

#include "base/Environment.h"
#include "base/Files.h"
#include "base/PathText.h"
#include "jre/Architecture.h"
#include "jre/JvmLibrary.h"
#include "jre/PeImage.h"
#include "jre/RegistrySearch.h"
#include "launcher/DiscoveryLog.h"

namespace tarn {

namespace {

// The launcher's folder with its trailing backslash; empty when the module path is unavailable.
WString LauncherFolder() {
    const WString module = ModulePath();
    const int last = ReverseFind(module, L'\\');
    return last < 0 ? WString() : module.substr(0, last + 1);
}

// Sets jvmPath from a runtime folder; true when the folder yields a library.
bool TakeLibraryFrom(Launcher& launcher, const WString& home) {
    if (home.empty()) return false;
    launcher.jvmPath = SelectJvmLibrary(home, launcher.jvmType).path;
    return !launcher.jvmPath.empty();
}

// Both registry passes; a runtime from the other architecture's view is for the paired product.
bool TakeRegisteredRuntime(Launcher& launcher) {
    bool otherArchitecture = false;
    auto picked = SearchRegistry(launcher, RegistryView::Own);
    if (!picked && launcher.pairProduct.empty()) LogSourcePassed(RuntimeSource::Registry, PassedOver::NotRead, L"(other view)");
    if (!picked && !launcher.pairProduct.empty()) {
        picked = SearchRegistry(launcher, kOtherView);
        otherArchitecture = picked.has_value();
    }
    if (!picked) {
        LogSourcePassed(RuntimeSource::Registry, PassedOver::NoCandidate);
        return false;
    }
    launcher.foundVersion = picked->version;
    if (!TakeLibraryFrom(launcher, picked->home)) return false;
    launcher.usePairedProduct = otherArchitecture;
    launcher.vmThreadStaysAttached = picked->source != nullptr && picked->source->vmThreadStaysAttached;
    return true;
}

// The explicit folder, then the runtime beside the launcher; no version bounds for either.
bool TakeConfiguredOrShippedRuntime(Launcher& launcher) {
    // A configured folder need not be a full runtime: a JVM library under it is enough.
    if (!launcher.jrePath.empty()) {
        const WString home = WithTrailingBackslash(launcher.jrePath);
        if (TakeLibraryFrom(launcher, home)) {
            CheckJvmArchitecture(launcher);
            LogRuntimeChosen(RuntimeSource::JrePath, launcher);
            return true;
        }
        LogSourcePassed(RuntimeSource::JrePath, PassedOver::NoLibrary, home);
    }
    // A runtime shipped with the program is taken as it is: no bounds, no architecture check.
    const WString local = LocalRuntimeHome();
    if (TakeLibraryFrom(launcher, local)) {
        LogRuntimeChosen(RuntimeSource::BesideLauncher, launcher);
        return true;
    }
    LogSourcePassed(RuntimeSource::BesideLauncher, local.empty() ? PassedOver::NoRuntime : PassedOver::NoLibrary, local);
    return false;
}

}  // namespace

WString LocalRuntimeHomeIn(const WString& folder) {
    if (folder.empty()) return {};
    const WString home = WithTrailingBackslash(folder);
    if (IsJavaHome(home)) return home;
    if (IsJavaHome(home + L"jre\\")) return home + L"jre\\";
    return {};
}

WString LocalRuntimeHome() { return LocalRuntimeHomeIn(LauncherFolder()); }

WString JavaHomeFromEnvironment() {
    const WString reference = L"%JAVA_HOME%";
    const WString value = ExpandEnvironment(reference);
    if (value.empty() || value == reference) return {};
    const WString home = WithTrailingBackslash(value);
    return IsJavaHome(home) ? home : WString();
}

bool DiscoverRuntime(Launcher& launcher) {
    launcher.jvmPath.clear();
    launcher.foundVersion = JavaVersion{};
    launcher.usePairedProduct = false;
    launcher.vmThreadStaysAttached = false;
    if (TakeConfiguredOrShippedRuntime(launcher)) return true;
    if (TakeRegisteredRuntime(launcher)) {
        LogRuntimeChosen(RuntimeSource::Registry, launcher);
        return true;
    }
    const WString javaHome = JavaHomeFromEnvironment();
    if (TakeLibraryFrom(launcher, javaHome)) {
        CheckJvmArchitecture(launcher);
        LogRuntimeChosen(RuntimeSource::JavaHome, launcher);
        return true;
    }
    LogSourcePassed(RuntimeSource::JavaHome, javaHome.empty() ? PassedOver::NoRuntime : PassedOver::NoLibrary,
                    javaHome.empty() ? L"\"" + GetEnvironment(L"JAVA_HOME") + L"\"" : javaHome);
    LogNoRuntime();
    return false;
}

void CheckJvmArchitecture(Launcher& launcher) {
    launcher.usePairedProduct = false;
    if (launcher.pairProduct.empty()) return;
    const auto machine = ImageMachineOfFile(launcher.jvmPath);
    launcher.usePairedProduct = machine.has_value() && *machine != kOwnMachine;
}

}  // namespace tarn
