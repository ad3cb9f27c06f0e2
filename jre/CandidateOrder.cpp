#include "jre/CandidateOrder.h"

#include <algorithm>

namespace tarn {

bool ComesBefore(const JreCandidate& a, const JreCandidate& b, const OrderRules& rules) {
    if (rules.mixedSources && a.preferred != b.preferred) return a.preferred;
    if (rules.serverFirst && a.hasServerVm != b.hasServerVm) return a.hasServerVm;
    return CompareVersions(a.version, b.version) > 0;
}

void SortCandidates(CandidateList& candidates, const OrderRules& rules) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&rules](const JreCandidate& a, const JreCandidate& b) { return ComesBefore(a, b, rules); });
}

std::optional<JreCandidate> PickCandidate(CandidateList candidates, const WStringList& preferredVersions,
                                          const OrderRules& rules) {
    if (candidates.empty()) return std::nullopt;
    SortCandidates(candidates, rules);
    for (const WString& entry : preferredVersions) {
        const JavaVersion wanted = ParseVersionOr(entry, 0);
        for (const JreCandidate& candidate : candidates) {
            if (MatchesPreferred(candidate.version, wanted)) return candidate;
        }
    }
    return candidates.front();
}

}  // namespace tarn
