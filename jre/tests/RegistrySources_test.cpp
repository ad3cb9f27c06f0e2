// Which registry keys a run searches and favours under the JVM Source and VM Provider settings,
// and how a key shapes the home and library lookup of its runtimes.
#include <gtest/gtest.h>

#include "jre/JvmType.h"
#include "jre/RegistrySources.h"

namespace tarn {
namespace {

// Kind flags as the settings reader sets them for each "JVM Source" value.
struct Kinds {
    bool jdk, jre, mixed;
};
constexpr Kinds kAnySource{true, true, true};
constexpr Kinds kFavorJre{false, true, true};
constexpr Kinds kFavorJdk{true, false, true};
constexpr Kinds kOnlyJre{false, true, false};
constexpr Kinds kOnlyJdk{true, false, false};
constexpr Kinds kUnknownSource{false, false, false};

// Vendor flags for each "VM Provider" value: jrockit allowed/fav, sun allowed/fav, ibm allowed/fav.
struct Vendors {
    bool jrockitAllowed, jrockitFav, sunAllowed, sunFav, ibmAllowed, ibmFav;
};
constexpr Vendors kSunOnly{false, false, true, true, false, false};
constexpr Vendors kJRockit{true, true, false, false, false, false};
constexpr Vendors kIbm{false, false, false, false, true, true};
constexpr Vendors kFavorSun{true, false, true, true, true, false};
constexpr Vendors kFavorJRockit{true, true, true, false, true, false};
constexpr Vendors kFavorIbm{true, false, true, false, true, true};
constexpr Vendors kAnyVendor{true, false, true, false, true, false};
constexpr Vendors kSunFavouredNotAllowed{false, false, false, true, false, false};

struct PolicyCase {
    const char* name;
    Kinds kinds;
    Vendors vendors;
    const char* searched;   // one character per table row, in order: 'x' searched, '.' not
    const char* preferred;  // the same for the preferred flag of its candidates
};

const PolicyCase kPolicyCases[] = {
    {"defaults", kAnySource, kSunOnly, "xxxx...", "xxxx..."},
    {"favor_JRE", kFavorJre, kSunOnly, "xxxx...", ".x.x..."},
    {"favor_JDK", kFavorJdk, kSunOnly, "xxxx...", "x.x...."},
    {"only_JRE", kOnlyJre, kSunOnly, ".x.x...", ".x.x..."},
    {"only_JDK", kOnlyJdk, kSunOnly, "x.x....", "x.x...."},
    {"unknown JVM Source", kUnknownSource, kAnyVendor, ".......", "......."},
    {"jrockit", kAnySource, kJRockit, "....xx.", "....xx."},
    {"ibm", kAnySource, kIbm, "......x", "......x"},
    {"favor_sun", kAnySource, kFavorSun, "xxxxxxx", "xxxx..."},
    {"favor_jrockit", kAnySource, kFavorJRockit, "xxxxxxx", "....xx."},
    {"favor_ibm", kAnySource, kFavorIbm, "xxxxxxx", "......x"},
    {"any vendor", kAnySource, kAnyVendor, "xxxxxxx", "......."},
    {"only_JDK with favor_jrockit", kOnlyJdk, kFavorJRockit, "x.x..x.", ".....x."},
    {"favor_JRE with ibm", kFavorJre, kIbm, "......x", "......x"},
    {"a favoured vendor counts as allowed", kAnySource, kSunFavouredNotAllowed, "xxxx...", "xxxx..."},
};

SearchPolicy PolicyOf(const Kinds& kinds, const Vendors& vendors) {
    SearchPolicy policy;
    policy.jdkWanted = kinds.jdk;
    policy.jreWanted = kinds.jre;
    policy.mixedSources = kinds.mixed;
    policy.jrockitAllowed = vendors.jrockitAllowed;
    policy.jrockitFav = vendors.jrockitFav;
    policy.sunAllowed = vendors.sunAllowed;
    policy.sunFav = vendors.sunFav;
    policy.ibmAllowed = vendors.ibmAllowed;
    policy.ibmFav = vendors.ibmFav;
    return policy;
}

TEST(RegistrySources, SearchedAndPreferredKeysPerPolicy) {
    for (const PolicyCase& c : kPolicyCases) {
        const SearchPolicy policy = PolicyOf(c.kinds, c.vendors);
        std::string searched, preferred;
        for (const RegistrySource& source : kRegistrySources) {
            searched += IsSourceSearched(source, policy) ? 'x' : '.';
            preferred += IsSourcePreferred(source, policy) ? 'x' : '.';
        }
        EXPECT_EQ(searched, c.searched) << c.name;
        EXPECT_EQ(preferred, c.preferred) << c.name;
    }
}

TEST(RegistrySources, OnlyTheOldJdkKeysKeepTheirRuntimeInJre) {
    std::string inJre;
    for (const RegistrySource& source : kRegistrySources) {
        inJre += CandidateHome(source, L"C:\\java") == L"C:\\java\\jre\\" ? 'x' : '.';
        // A home that already ends with a backslash gets no second one.
        EXPECT_EQ(CandidateHome(source, L"C:\\java\\"), CandidateHome(source, L"C:\\java"));
    }
    EXPECT_EQ(inJre, "..x..x.");
}

TEST(RegistrySources, FavorServerLooksUpTheOldRuntimeKeyInTheDefaultOrder) {
    std::string favorServer, serverOnly, clientFirst;
    for (const RegistrySource& source : kRegistrySources) {
        favorServer += CandidateLookupType(source, kServerFirst) == kServerFirst ? 'f' : 'c';
        serverOnly += CandidateLookupType(source, kServerOnly) == kServerOnly ? 's' : '?';
        clientFirst += CandidateLookupType(source, kClientFirst) == kClientFirst ? 'c' : '?';
    }
    EXPECT_EQ(favorServer, "fffcfff");
    EXPECT_EQ(serverOnly, "sssssss");
    EXPECT_EQ(clientFirst, "ccccccc");
}

}  // namespace
}  // namespace tarn
