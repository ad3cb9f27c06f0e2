// The registry keys where Java runtimes are registered, and which of them a run searches and favours.
// Windows-free: the policy decisions are pure functions of the settings flags.
#pragma once
#include <cstdint>

#include "base/Text.h"

namespace tarn {

enum class RuntimeKind { Jdk, Jre };
enum class RuntimeVendor { Sun, JRockit, Ibm };

struct RegistrySource {
    const wchar_t* key;  // under HKEY_LOCAL_MACHINE, ending with a backslash
    RuntimeKind kind;
    RuntimeVendor vendor;
    bool runtimeInJre;             // JavaHome names a JDK whose runtime is its jre\ subfolder
    bool clientFirstForServerFirst;  // "favor_server" looks up this key's libraries in the default order
};

// Searched in this order; equal candidates keep it.
inline constexpr RegistrySource kRegistrySources[] = {
    {L"Software\\JavaSoft\\JDK\\", RuntimeKind::Jdk, RuntimeVendor::Sun, false, false},
    {L"Software\\JavaSoft\\JRE\\", RuntimeKind::Jre, RuntimeVendor::Sun, false, false},
    {L"Software\\JavaSoft\\Java Development Kit\\", RuntimeKind::Jdk, RuntimeVendor::Sun, true, false},
    {L"Software\\JavaSoft\\Java Runtime Environment\\", RuntimeKind::Jre, RuntimeVendor::Sun, false, true},
    {L"Software\\JRockit\\Java Runtime Environment\\", RuntimeKind::Jre, RuntimeVendor::JRockit, false, false},
    {L"Software\\JRockit\\Java Development Kit\\", RuntimeKind::Jdk, RuntimeVendor::JRockit, true, false},
    {L"Software\\IBM\\Java2 Runtime Environment\\", RuntimeKind::Jre, RuntimeVendor::Ibm, false, false},
};

// The "JVM Source", "VM Provider" and "JVM Type" settings as the search reads them.
struct SearchPolicy {
    bool jdkWanted = true;
    bool jreWanted = true;
    bool mixedSources = true;
    bool jrockitAllowed = false;
    bool jrockitFav = false;
    bool sunAllowed = true;
    bool sunFav = true;
    bool ibmAllowed = false;
    bool ibmFav = false;
    int32_t jvmType = 0;
};

bool IsSourceSearched(const RegistrySource& source, const SearchPolicy& policy);
// Candidates of a preferred source rank first when kinds are mixed.
bool IsSourcePreferred(const RegistrySource& source, const SearchPolicy& policy);
// The JVM Type used to look up a candidate's library in this source.
int32_t CandidateLookupType(const RegistrySource& source, int32_t jvmType);
// The runtime folder of a registered JavaHome, ending with a backslash.
WString CandidateHome(const RegistrySource& source, const WString& javaHome);

}  // namespace tarn
