// Ordering the runtimes found in the registry and choosing one of them.
// Windows-free: pure functions over a candidate list.
#pragma once
#include <vector>

#include "base/Text.h"
#include "jre/JavaVersion.h"
#include "jre/RegistrySources.h"

namespace tarn {

struct JreCandidate {
    JavaVersion version;       // from the name of its version subkey
    WString home;              // ends with a backslash
    bool hasServerVm = false;  // its library, as looked up, is the server VM
    bool preferred = false;    // its kind and vendor are the favoured ones
    const RegistrySource* source = nullptr;  // the key it was found under
    WString key;                             // the full key holding its home value
};

using CandidateList = std::vector<JreCandidate>;

struct OrderRules {
    bool mixedSources = true;  // preferred candidates first
    bool serverFirst = false;  // then candidates with a server VM ("favor_server")
};

// True when a must come before b; the higher version decides when the rules do not.
bool ComesBefore(const JreCandidate& a, const JreCandidate& b, const OrderRules& rules);
// Stable: equal candidates keep the order in which they were found.
void SortCandidates(CandidateList& candidates, const OrderRules& rules);
// The order of choice: sorted, the candidates matching the first "Preferred versions" entry first,
// then those matching the next, then the rest. The first is the one chosen when all fit.
CandidateList OrderOfChoice(CandidateList candidates, const WStringList& preferredVersions, const OrderRules& rules);

}  // namespace tarn
