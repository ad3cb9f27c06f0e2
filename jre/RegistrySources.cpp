#include "jre/RegistrySources.h"

#include "base/PathText.h"
#include "jre/JvmType.h"

namespace tarn {

namespace {

bool KindWanted(RuntimeKind kind, const SearchPolicy& policy) {
    return kind == RuntimeKind::Jdk ? policy.jdkWanted : policy.jreWanted;
}

bool VendorAllowed(RuntimeVendor vendor, const SearchPolicy& policy) {
    switch (vendor) {
        case RuntimeVendor::Sun: return policy.sunAllowed;
        case RuntimeVendor::JRockit: return policy.jrockitAllowed;
        case RuntimeVendor::Ibm: return policy.ibmAllowed;
        default: return policy.allVendors;
    }
}

bool VendorFavoured(RuntimeVendor vendor, const SearchPolicy& policy) {
    switch (vendor) {
        case RuntimeVendor::Sun: return policy.sunFav;
        case RuntimeVendor::JRockit: return policy.jrockitFav;
        case RuntimeVendor::Ibm: return policy.ibmFav;
        default: return false;
    }
}

}  // namespace

bool IsSourceSearched(const RegistrySource& source, const SearchPolicy& policy) {
    return (policy.mixedSources || KindWanted(source.kind, policy)) &&
           (VendorAllowed(source.vendor, policy) || VendorFavoured(source.vendor, policy));
}

bool IsSourcePreferred(const RegistrySource& source, const SearchPolicy& policy) {
    return KindWanted(source.kind, policy) && VendorFavoured(source.vendor, policy);
}

const wchar_t* KindName(RuntimeKind kind) { return kind == RuntimeKind::Jdk ? L"JDK" : L"JRE"; }

const wchar_t* VendorName(RuntimeVendor vendor) {
    switch (vendor) {
        case RuntimeVendor::Sun: return L"Sun";
        case RuntimeVendor::JRockit: return L"JRockit";
        case RuntimeVendor::Ibm: return L"IBM";
        case RuntimeVendor::Adoptium: return L"Adoptium";
        case RuntimeVendor::Microsoft: return L"Microsoft";
        case RuntimeVendor::Semeru: return L"Semeru";
        case RuntimeVendor::Azul: return L"Azul";
        case RuntimeVendor::BellSoft: return L"BellSoft";
    }
    return L"?";
}

WString CandidateKey(const RegistrySource& source, const WString& name) { return source.key + name + source.subPath; }

int32_t CandidateLookupType(const RegistrySource& source, int32_t jvmType) {
    return jvmType == kServerFirst && source.clientFirstForServerFirst ? kClientFirst : jvmType;
}

WString CandidateHome(const RegistrySource& source, const WString& javaHome) {
    const WString home = WithTrailingBackslash(javaHome);
    return source.runtimeInJre ? home + L"jre\\" : home;
}

}  // namespace tarn
