#include "jre/RegistrySearch.h"

#include "jre/Architecture.h"
#include "jre/JvmLibrary.h"
#include "jre/ReleaseFile.h"
#include "jre/RuntimeSearch.h"
#include "launcher/DiscoveryLog.h"

namespace tarn {

SearchPolicy SearchPolicyOf(const Launcher& launcher) {
    SearchPolicy policy;
    policy.jdkWanted = launcher.jdkWanted;
    policy.jreWanted = launcher.jreWanted;
    policy.mixedSources = launcher.mixedSources;
    policy.jrockitAllowed = launcher.jrockitAllowed;
    policy.jrockitFav = launcher.jrockitFav;
    policy.sunAllowed = launcher.sunAllowed;
    policy.sunFav = launcher.sunFav;
    policy.ibmAllowed = launcher.ibmAllowed;
    policy.ibmFav = launcher.ibmFav;
    policy.allVendors = launcher.allVendors;
    policy.jvmType = launcher.jvmType;
    return policy;
}

std::optional<RegisteredRuntime> ReadCandidate(const RegistrySource& source, const WString& name, RegistryView view,
                                               int32_t jvmType) {
    RegistryKeyReader key;
    WString javaHome;
    // Whatever the value's type, only its text up to the first NUL counts.
    if (!key.Open(CandidateKey(source, name), view) || !key.ReadText(source.valueName, javaHome)) return std::nullopt;
    const WString home = CandidateHome(source, javaHome);
    const JvmLibrary library = SelectJvmLibrary(home, CandidateLookupType(source, jvmType));
    if (library.path.empty()) return std::nullopt;
    return RegisteredRuntime{home, library.server};
}

namespace {

// The version a candidate counts with: its subkey's name, or what its runtime's release file says.
std::optional<JavaVersion> CandidateVersion(const RegistrySource& source, const WString& name, const WString& home) {
    // A name without digits reads as 0.0.0.0 and is judged by the bounds like any other.
    if (source.versionFrom == VersionFrom::KeyName) return ParseVersionOr(name, 0);
    return ReadReleaseVersion(home);
}

}  // namespace

void CollectFromKey(const Launcher& launcher, const RegistrySource& source, RegistryView view, CandidateList& candidates) {
    RegistryKeyReader key;
    if (!key.Open(source.key, view)) return;
    const bool preferred = IsSourcePreferred(source, SearchPolicyOf(launcher));
    const bool namedByVersion = source.versionFrom == VersionFrom::KeyName;
    for (const WString& name : key.SubkeyNames()) {
        // Names that are versions are judged before the runtime is looked at.
        if (namedByVersion && !VersionInRange(ParseVersionOr(name, 0), launcher.minVersion, launcher.maxVersion)) continue;
        const auto runtime = ReadCandidate(source, name, view, launcher.jvmType);
        if (!runtime) continue;
        // A runtime whose version cannot be told does not count.
        const auto version = CandidateVersion(source, name, runtime->home);
        if (!version || !VersionInRange(*version, launcher.minVersion, launcher.maxVersion)) continue;
        candidates.push_back({*version, runtime->home, runtime->hasServerVm, preferred, &source, CandidateKey(source, name)});
    }
}

std::optional<RegistryPick> SearchRegistry(Launcher& launcher, RegistryView view, uint16_t assumed) {
    if (view == kOtherView && launcher.pairProduct.empty() && launcher.machines.arm64Product.empty()) return std::nullopt;
    const SearchPolicy policy = SearchPolicyOf(launcher);
    CandidateList candidates;
    for (const RegistrySource& source : kRegistrySources) {
        if (IsSourceSearched(source, policy)) CollectFromKey(launcher, source, view, candidates);
    }
    const OrderRules rules{launcher.mixedSources, launcher.jvmType == kServerFirst};
    SortCandidates(candidates, rules);
    LogCandidates(view, candidates);
    // Machines are read in the order of choice, only as far as needed: usually the first fits.
    std::optional<RegistryPick> picked;
    for (JreCandidate& candidate : OrderOfChoice(std::move(candidates), launcher.preferredVersions, rules)) {
        WString library = SelectJvmLibrary(candidate.home, launcher.jvmType).path;
        const RuntimeFit fit = FitOfLibrary(launcher, library, assumed);
        const bool handedOver = fit == RuntimeFit::PairProduct || fit == RuntimeFit::Arm64Pair;
        if (fit != RuntimeFit::Here && (picked || !handedOver)) continue;
        picked.emplace(RegistryPick{std::move(candidate), std::move(library), fit});
        if (fit == RuntimeFit::Here) break;
    }
    return picked;
}

}  // namespace tarn
