// The registry keys where Java runtimes are registered, and which of them a run searches and favours.
// Windows-free: the policy decisions are pure functions of the settings flags.
#pragma once
#include <cstdint>

#include "base/Text.h"

namespace tarn {

enum class RuntimeKind { Jdk, Jre };
// The classic vendors first; the others register under keys of their own and are searched only
// when "All Vendors" asks for them.
enum class RuntimeVendor { Sun, JRockit, Ibm, Adoptium, Microsoft, Semeru, Azul, BellSoft };

// How a registry source names a runtime's version.
enum class VersionFrom {
    KeyName,      // the subkey's name is the version ("1.8.0_45", "21.0.1.12")
    ReleaseFile,  // the subkey's name is a product name ("zulu-17"): the runtime's release file tells
};

struct RegistrySource {
    const wchar_t* key;  // under HKEY_LOCAL_MACHINE, ending with a backslash
    RuntimeKind kind;
    RuntimeVendor vendor;
    bool runtimeInJre = false;               // the home names a JDK whose runtime is its jre\ subfolder
    bool clientFirstForServerFirst = false;  // "favor_server" looks up this key's libraries in the default order
    const wchar_t* subPath = L"";            // below the version subkey, where the value lives
    const wchar_t* valueName = L"JavaHome";  // the value naming the runtime's home folder
    VersionFrom versionFrom = VersionFrom::KeyName;
    bool vmThreadStaysAttached = false;      // its runtimes keep main's thread attached (the process ends by System.exit)
};

// The classic keys: JavaHome under the version subkey.
constexpr RegistrySource Classic(const wchar_t* key, RuntimeKind kind, RuntimeVendor vendor, bool runtimeInJre = false,
                                 bool clientFirstForServerFirst = false) {
    return {key, kind, vendor, runtimeInJre, clientFirstForServerFirst};
}
// MSI installers of today's builds: <version><subPath>, value "Path".
constexpr RegistrySource Msi(const wchar_t* key, RuntimeKind kind, RuntimeVendor vendor, const wchar_t* subPath) {
    return {key, kind, vendor, false, false, subPath, L"Path"};
}
// Keys whose subkeys carry product names ("zulu-17"), value "InstallationPath". One key holds
// JDKs and JREs alike ("zulu-17", "zulu-17-jre"); they count as JDKs.
constexpr RegistrySource Named(const wchar_t* key, RuntimeVendor vendor) {
    return {key, RuntimeKind::Jdk, vendor, false, false, L"", L"InstallationPath", VersionFrom::ReleaseFile};
}

// Searched in this order; equal candidates keep it. Sources of the keys in the README.
inline constexpr RegistrySource kRegistrySources[] = {
    Classic(L"Software\\JavaSoft\\JDK\\", RuntimeKind::Jdk, RuntimeVendor::Sun),
    Classic(L"Software\\JavaSoft\\JRE\\", RuntimeKind::Jre, RuntimeVendor::Sun),
    Classic(L"Software\\JavaSoft\\Java Development Kit\\", RuntimeKind::Jdk, RuntimeVendor::Sun, true),
    Classic(L"Software\\JavaSoft\\Java Runtime Environment\\", RuntimeKind::Jre, RuntimeVendor::Sun, false, true),
    Classic(L"Software\\JRockit\\Java Runtime Environment\\", RuntimeKind::Jre, RuntimeVendor::JRockit),
    Classic(L"Software\\JRockit\\Java Development Kit\\", RuntimeKind::Jdk, RuntimeVendor::JRockit, true),
    {L"Software\\IBM\\Java2 Runtime Environment\\", RuntimeKind::Jre, RuntimeVendor::Ibm, false, false, L"", L"JavaHome",
     VersionFrom::KeyName, true},
    Msi(L"Software\\Eclipse Adoptium\\JDK\\", RuntimeKind::Jdk, RuntimeVendor::Adoptium, L"\\hotspot\\MSI"),
    Msi(L"Software\\Eclipse Adoptium\\JRE\\", RuntimeKind::Jre, RuntimeVendor::Adoptium, L"\\hotspot\\MSI"),
    Msi(L"Software\\Eclipse Foundation\\JDK\\", RuntimeKind::Jdk, RuntimeVendor::Adoptium, L"\\hotspot\\MSI"),
    Msi(L"Software\\Eclipse Foundation\\JRE\\", RuntimeKind::Jre, RuntimeVendor::Adoptium, L"\\hotspot\\MSI"),
    Msi(L"Software\\AdoptOpenJDK\\JDK\\", RuntimeKind::Jdk, RuntimeVendor::Adoptium, L"\\hotspot\\MSI"),
    Msi(L"Software\\AdoptOpenJDK\\JRE\\", RuntimeKind::Jre, RuntimeVendor::Adoptium, L"\\hotspot\\MSI"),
    Msi(L"Software\\AdoptOpenJDK\\JDK\\", RuntimeKind::Jdk, RuntimeVendor::Adoptium, L"\\openj9\\MSI"),
    Msi(L"Software\\AdoptOpenJDK\\JRE\\", RuntimeKind::Jre, RuntimeVendor::Adoptium, L"\\openj9\\MSI"),
    Msi(L"Software\\Microsoft\\JDK\\", RuntimeKind::Jdk, RuntimeVendor::Microsoft, L"\\hotspot\\MSI"),
    Msi(L"Software\\Semeru\\JDK\\", RuntimeKind::Jdk, RuntimeVendor::Semeru, L"\\openj9\\MSI"),
    Msi(L"Software\\Semeru\\JRE\\", RuntimeKind::Jre, RuntimeVendor::Semeru, L"\\openj9\\MSI"),
    Named(L"Software\\Azul Systems\\Zulu\\", RuntimeVendor::Azul),
    Named(L"Software\\Azul Systems\\Zulu 32-bit\\", RuntimeVendor::Azul),
    Named(L"Software\\BellSoft\\Liberica\\", RuntimeVendor::BellSoft),
};

// Names for the discovery log.
const wchar_t* KindName(RuntimeKind kind);
const wchar_t* VendorName(RuntimeVendor vendor);

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
    bool allVendors = false;  // "All Vendors": the other vendors' keys too, none of them favoured
    int32_t jvmType = 0;
};

bool IsSourceSearched(const RegistrySource& source, const SearchPolicy& policy);
// Candidates of a preferred source rank first when kinds are mixed.
bool IsSourcePreferred(const RegistrySource& source, const SearchPolicy& policy);
// The JVM Type used to look up a candidate's library in this source.
int32_t CandidateLookupType(const RegistrySource& source, int32_t jvmType);
// The key holding a runtime's home value: the source's key, the subkey name, the source's sub-path.
WString CandidateKey(const RegistrySource& source, const WString& name);
// The runtime folder of a registered home value, ending with a backslash.
WString CandidateHome(const RegistrySource& source, const WString& javaHome);

}  // namespace tarn
