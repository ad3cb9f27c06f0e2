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

void HandOver(Launcher& launcher, RuntimeFit fit) {
    launcher.usePairedProduct = fit == RuntimeFit::PairProduct || fit == RuntimeFit::Arm64Pair;
    launcher.machines.toArm64Product = fit == RuntimeFit::Arm64Pair;
}

// The own registry view, then the other one, which only a paired launcher could use.
std::optional<RegistryPick> SearchBothViews(Launcher& launcher) {
    auto picked = SearchRegistry(launcher, RegistryView::Own, kOwnMachine);
    if (picked) return picked;
    if (!launcher.pairProduct.empty() || !launcher.machines.arm64Product.empty())
        return SearchRegistry(launcher, kOtherView, kOtherViewMachine);
    LogSourcePassed(RuntimeSource::Registry, PassedOver::NotRead, L"(other view)");
    return std::nullopt;
}

// Both registry passes; a runtime of another machine is for a paired launcher.
bool TakeRegisteredRuntime(Launcher& launcher) {
    const auto picked = SearchBothViews(launcher);
    if (!picked) {
        LogSourcePassed(RuntimeSource::Registry, PassedOver::NoCandidate);
        return false;
    }
    launcher.foundVersion = picked->candidate.version;
    launcher.jvmPath = picked->library;
    if (launcher.jvmPath.empty()) return false;
    HandOver(launcher, picked->fit);
    launcher.vmThreadStaysAttached =
        picked->candidate.source != nullptr && picked->candidate.source->vmThreadStaysAttached;
    return true;
}

// The library taken from a folder named by the settings or JAVA_HOME, unless the system cannot run it.
bool AcceptNamedRuntime(Launcher& launcher, RuntimeSource source, const WString& home) {
    if (!CheckJvmArchitecture(launcher)) {
        LogSourcePassed(source, PassedOver::NotRunnable, home);
        launcher.jvmPath.clear();
        return false;
    }
    LogRuntimeChosen(source, launcher);
    return true;
}

// The explicit folder, then the runtime beside the launcher; no version bounds for either.
bool TakeConfiguredOrShippedRuntime(Launcher& launcher) {
    // A configured folder need not be a full runtime: a JVM library under it is enough.
    if (!launcher.jrePath.empty()) {
        const WString home = WithTrailingBackslash(launcher.jrePath);
        if (!TakeLibraryFrom(launcher, home)) {
            LogSourcePassed(RuntimeSource::JrePath, PassedOver::NoLibrary, home);
        } else if (AcceptNamedRuntime(launcher, RuntimeSource::JrePath, home)) {
            return true;
        }
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
    if (!TakeLibraryFrom(launcher, javaHome)) {
        LogSourcePassed(RuntimeSource::JavaHome, javaHome.empty() ? PassedOver::NoRuntime : PassedOver::NoLibrary,
                        javaHome.empty() ? L"\"" + GetEnvironment(L"JAVA_HOME") + L"\"" : javaHome);
    } else if (AcceptNamedRuntime(launcher, RuntimeSource::JavaHome, javaHome)) {
        return true;
    }
    LogNoRuntime();
    return false;
}

RuntimeFit FitOfLibrary(Launcher& launcher, const WString& path, uint16_t assumed) {
    const uint16_t machine = ImageMachineOfFile(path).value_or(assumed);
    if (machine == kOwnMachine) return RuntimeFit::Here;
    // The system's machine is read once a start, and only when a runtime of another one turns up.
    if (launcher.machines.host == 0) launcher.machines.host = launcher.machines.readHost();
    const RuntimeFit fit = FitOf(machine, kOwnMachine, launcher.machines.host, !launcher.pairProduct.empty(),
                                 !launcher.machines.arm64Product.empty());
    LogRuntimeMachine(path, machine, launcher.machines.host, fit);
    return fit;
}

bool CheckJvmArchitecture(Launcher& launcher) {
    const RuntimeFit fit = FitOfLibrary(launcher, launcher.jvmPath, kOwnMachine);
    HandOver(launcher, fit);
    return fit != RuntimeFit::NotRunnable;
}

}  // namespace tarn
