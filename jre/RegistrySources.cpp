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
    }
    return false;
}

bool VendorFavoured(RuntimeVendor vendor, const SearchPolicy& policy) {
    switch (vendor) {
        case RuntimeVendor::Sun: return policy.sunFav;
        case RuntimeVendor::JRockit: return policy.jrockitFav;
        case RuntimeVendor::Ibm: return policy.ibmFav;
    }
    return false;
}

}  // namespace

bool IsSourceSearched(const RegistrySource& source, const SearchPolicy& policy) {
    return (policy.mixedSources || KindWanted(source.kind, policy)) &&
           (VendorAllowed(source.vendor, policy) || VendorFavoured(source.vendor, policy));
}

bool IsSourcePreferred(const RegistrySource& source, const SearchPolicy& policy) {
    return KindWanted(source.kind, policy) && VendorFavoured(source.vendor, policy);
}

int32_t CandidateLookupType(const RegistrySource& source, int32_t jvmType) {
    return jvmType == kServerFirst && source.clientFirstForServerFirst ? kClientFirst : jvmType;
}

WString CandidateHome(const RegistrySource& source, const WString& javaHome) {
    const WString home = WithTrailingBackslash(javaHome);
    return source.runtimeInJre ? home + L"jre\\" : home;
}

}  // namespace tarn
