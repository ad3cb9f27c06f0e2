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

CandidateList OrderOfChoice(CandidateList candidates, const WStringList& preferredVersions, const OrderRules& rules) {
    SortCandidates(candidates, rules);
    CandidateList ordered;
    for (const WString& entry : preferredVersions) {
        const JavaVersion wanted = ParseVersionOr(entry, 0);
        for (auto at = candidates.begin(); at != candidates.end();) {
            if (!MatchesPreferred(at->version, wanted)) {
                ++at;
                continue;
            }
            ordered.push_back(std::move(*at));
            at = candidates.erase(at);
        }
    }
    for (JreCandidate& candidate : candidates) ordered.push_back(std::move(candidate));
    return ordered;
}

}  // namespace tarn
