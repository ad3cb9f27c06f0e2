// The registry search: the Java runtimes registered under HKEY_LOCAL_MACHINE in one view.
#pragma once
#include <optional>

#include "base/Registry.h"
#include "jre/CandidateOrder.h"
#include "jre/MachineFit.h"
#include "jre/RegistrySources.h"
#include "launcher/Launcher.h"

namespace tarn {

SearchPolicy SearchPolicyOf(const Launcher& launcher);

struct RegisteredRuntime {
    WString home;              // ends with a backslash
    bool hasServerVm = false;  // the library looked up for it is the server VM
};

// The runtime registered under CandidateKey(source, name). Nothing without a usable home value
// or without a JVM library that qualifies under jvmType (as the source adjusts it).
std::optional<RegisteredRuntime> ReadCandidate(const RegistrySource& source, const WString& name, RegistryView view,
                                               int32_t jvmType);
// Appends the runtimes of one key whose version lies within the launcher's bounds.
void CollectFromKey(const Launcher& launcher, const RegistrySource& source, RegistryView view, CandidateList& candidates);
struct RegistryPick {
    JreCandidate candidate;
    WString library;  // its JVM library as "JVM Type" chooses it
    RuntimeFit fit;   // Here, or the paired launcher that runs it
};

// The runtime chosen among every searched key of one view that this launcher loads itself; when
// none fits so, the first in the order of choice that a paired launcher runs. A library that is no
// image counts as built for assumed, the machine that registers in the view. The other view is
// only searched when a paired launcher could run what it finds.
std::optional<RegistryPick> SearchRegistry(Launcher& launcher, RegistryView view, uint16_t assumed);

}  // namespace tarn
