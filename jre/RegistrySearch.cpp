#include "jre/RegistrySearch.h"

#include "jre/Architecture.h"
#include "jre/JvmLibrary.h"

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
    policy.jvmType = launcher.jvmType;
    return policy;
}

std::optional<RegisteredRuntime> ReadCandidate(const RegistrySource& source, const WString& name, RegistryView view,
                                               int32_t jvmType) {
    RegistryKeyReader key;
    WString javaHome;
    // Whatever the value's type, only its text up to the first NUL counts.
    if (!key.Open(source.key + name, view) || !key.ReadText(L"JavaHome", javaHome)) return std::nullopt;
    const WString home = CandidateHome(source, javaHome);
    const JvmLibrary library = SelectJvmLibrary(home, CandidateLookupType(source, jvmType));
    if (library.path.empty()) return std::nullopt;
    return RegisteredRuntime{home, library.server};
}

void CollectFromKey(const Launcher& launcher, const RegistrySource& source, RegistryView view, CandidateList& candidates) {
    RegistryKeyReader key;
    if (!key.Open(source.key, view)) return;
    const bool preferred = IsSourcePreferred(source, SearchPolicyOf(launcher));
    for (const WString& name : key.SubkeyNames()) {
        // A name without digits reads as 0.0.0.0 and is judged by the bounds like any other.
        const JavaVersion version = ParseVersionOr(name, 0);
        if (!VersionInRange(version, launcher.minVersion, launcher.maxVersion)) continue;
        const auto runtime = ReadCandidate(source, name, view, launcher.jvmType);
        if (runtime) candidates.push_back({version, runtime->home, runtime->hasServerVm, preferred});
    }
}

std::optional<JreCandidate> SearchRegistry(const Launcher& launcher, RegistryView view) {
    if (view == kOtherView && launcher.pairProduct.empty()) return std::nullopt;
    const SearchPolicy policy = SearchPolicyOf(launcher);
    CandidateList candidates;
    for (const RegistrySource& source : kRegistrySources) {
        if (IsSourceSearched(source, policy)) CollectFromKey(launcher, source, view, candidates);
    }
    const OrderRules rules{launcher.mixedSources, launcher.jvmType == kServerFirst};
    return PickCandidate(std::move(candidates), launcher.preferredVersions, rules);
}

}  // namespace tarn
