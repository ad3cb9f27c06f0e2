// The registry search: the Java runtimes registered under HKEY_LOCAL_MACHINE in one view.
#pragma once
#include <optional>

#include "base/Registry.h"
#include "jre/CandidateOrder.h"
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
// The runtime chosen among every searched key of one view. The other architecture's view is
// only searched when a paired product could run what it finds.
std::optional<JreCandidate> SearchRegistry(const Launcher& launcher, RegistryView view);

}  // namespace tarn
