// The registry search against the prefix's real registry (both views) and real runtime folders.
#include <gtest/gtest.h>
#include <windows.h>

#include "jre/Architecture.h"
#include "jre/RegistrySearch.h"
#include "jre/tests/Fixtures.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

using namespace test;

class RegistrySearchTest : public testing::Test {
protected:
    void SetUp() override {
        CleanRuntimeRegistry();
        SetSettingsDefaults(launcher);
    }
    void TearDown() override { CleanRuntimeRegistry(); }

    // A runtime folder registered in the own view under key + name.
    WString Register(const WString& key, const WString& name, const Layout& layout = {}, REGSAM view = OwnViewFlag()) {
        const WString home = LayOut(temp.Path() + L"\\" + std::to_wstring(++count), layout);
        RegisterRuntime(view, key, name, home);
        return home;
    }
    // A JDK registered under key + name whose runtime lies in its jre\ subfolder.
    WString RegisterJdk(const WString& key, const WString& name, const Layout& layout = {}) {
        const WString jdk = temp.Path() + L"\\" + std::to_wstring(++count);
        const WString runtime = LayOut(jdk + L"\\jre", layout);
        RegisterRuntime(OwnViewFlag(), key, name, jdk);
        return runtime;
    }
    // The kind flags the settings reader derives from "JVM Source".
    void SetKinds(bool jdk, bool jre, bool mixed) {
        launcher.jdkWanted = jdk;
        launcher.jreWanted = jre;
        launcher.mixedSources = mixed;
    }
    WString PickedHome(RegistryView view = RegistryView::Own) {
        const auto picked = SearchRegistry(launcher, view);
        return picked ? picked->home : L"(nothing)";
    }

    TempFolder temp;
    Launcher launcher;
    int count = 0;
};

TEST_F(RegistrySearchTest, NewestWithinTheBoundsAndPreferredVersions) {
    const WString old = Register(kRuntimeKey, L"1.7.0_80");
    const WString newer = Register(kRuntimeKey, L"1.8.0_45");
    launcher.minVersion = ParseVersionOr(L"1.6", 0);
    const auto picked = SearchRegistry(launcher, RegistryView::Own);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->home, newer);
    EXPECT_EQ(picked->version.parts, (std::array<int32_t, 4>{1, 8, 0, 45}));

    launcher.preferredVersions = {L"1.7"};
    EXPECT_EQ(PickedHome(), old);
    launcher.preferredVersions.clear();

    launcher.maxVersion = ParseVersionOr(L"1.7", kOpenUpperPart);
    EXPECT_EQ(PickedHome(), old);
    launcher.maxVersion = ParseVersionOr(L"1.7.0_79", kOpenUpperPart);
    EXPECT_EQ(PickedHome(), L"(nothing)");
    launcher.maxVersion = AnyMaximum();
    launcher.minVersion = ParseVersionOr(L"1.8.0_45", 0);  // bounds are inclusive
    EXPECT_EQ(PickedHome(), newer);
    launcher.minVersion = ParseVersionOr(L"1.8.0_46", 0);
    EXPECT_EQ(PickedHome(), L"(nothing)");
}

TEST_F(RegistrySearchTest, NamesWithoutDigitsCountAsVersionZero) {
    const WString named = Register(kRuntimeKey, L"CurrentVersion");
    EXPECT_EQ(PickedHome(), named);  // "any" admits 0.0.0.0
    launcher.minVersion = ParseVersionOr(L"1.6", 0);
    EXPECT_EQ(PickedHome(), L"(nothing)");
}

TEST_F(RegistrySearchTest, FavorJdkPrefersAnOlderJdkWhileSourcesAreMixed) {
    const WString jre = Register(kJreKey, L"1.8");
    const WString jdk = RegisterJdk(kDevKitKey, L"1.7");
    EXPECT_EQ(PickedHome(), jre);  // defaults: everything preferred, newest wins

    SetKinds(true, false, true);  // favor_JDK
    EXPECT_EQ(PickedHome(), jdk);
    EXPECT_EQ(jdk.substr(jdk.size() - 4), L"jre\\");

    SetKinds(false, true, false);  // only_JRE
    EXPECT_EQ(PickedHome(), jre);
    SetKinds(true, false, false);  // only_JDK
    EXPECT_EQ(PickedHome(), jdk);
    SetKinds(false, false, false);  // unrecognised
    EXPECT_EQ(PickedHome(), L"(nothing)");
}

TEST_F(RegistrySearchTest, OnlyJreDoesNotReadTheJdkKeys) {
    RegisterJdk(kDevKitKey, L"1.8");
    Register(kJdkKey, L"11");
    SetKinds(false, true, false);
    EXPECT_EQ(PickedHome(), L"(nothing)");
}

TEST_F(RegistrySearchTest, VendorsAreSearchedAndFavouredByVmProvider) {
    const WString sun = Register(kRuntimeKey, L"1.8");
    const WString jrockit = Register(kJRockitJreKey, L"1.6");
    const WString ibm = Register(kIbmKey, L"1.7");
    EXPECT_EQ(PickedHome(), sun);  // defaults: Sun only

    auto vendors = [&](bool jrockitAllowed, bool jrockitFav, bool sunAllowed, bool sunFav, bool ibmAllowed, bool ibmFav) {
        launcher.jrockitAllowed = jrockitAllowed;
        launcher.jrockitFav = jrockitFav;
        launcher.sunAllowed = sunAllowed;
        launcher.sunFav = sunFav;
        launcher.ibmAllowed = ibmAllowed;
        launcher.ibmFav = ibmFav;
    };
    vendors(true, true, true, false, true, false);  // favor_jrockit
    EXPECT_EQ(PickedHome(), jrockit);
    vendors(true, false, true, false, true, true);  // favor_ibm
    EXPECT_EQ(PickedHome(), ibm);
    vendors(true, false, true, false, true, false);  // any: nobody favoured, newest wins
    EXPECT_EQ(PickedHome(), sun);
    vendors(false, false, false, false, true, true);  // ibm only
    EXPECT_EQ(PickedHome(), ibm);
}

TEST_F(RegistrySearchTest, OnlyJdkWithFavorJRockitDoesNotRankJRockitFirst) {
    const WString sunJdk = Register(kJdkKey, L"1.8");
    const WString jrockitJdk = RegisterJdk(kJRockitJdkKey, L"1.6");
    SetKinds(true, false, false);
    launcher.jrockitAllowed = launcher.jrockitFav = launcher.sunAllowed = launcher.ibmAllowed = true;
    launcher.sunFav = launcher.ibmFav = false;
    EXPECT_EQ(PickedHome(), sunJdk);
    // The JRockit key was read all the same: alone, it is found.
    launcher.maxVersion = ParseVersionOr(L"1.7", kOpenUpperPart);
    EXPECT_EQ(PickedHome(), jrockitJdk);
}

TEST_F(RegistrySearchTest, FavorServerRanksAJdkServerVmOverANewerClientOfKeyFour) {
    const WString jdk = RegisterJdk(kDevKitKey, L"1.7", {{L"server"}});
    const WString runtime = Register(kRuntimeKey, L"1.8", {{L"client", L"server"}});
    EXPECT_EQ(PickedHome(), runtime);
    launcher.jvmType = kServerFirst;
    // Key 4 looks its library up in the default order, finds the client VM and ranks after the server VM.
    EXPECT_EQ(PickedHome(), jdk);
    launcher.jvmType = kServerOnly;  // no exception: both have a server VM, the newer wins
    EXPECT_EQ(PickedHome(), runtime);
}

TEST_F(RegistrySearchTest, FavorServerExceptionIsKeyFourOnly) {
    const WString jdk = RegisterJdk(kDevKitKey, L"1.7", {{L"server"}});
    const WString jre = Register(kJreKey, L"1.8", {{L"client", L"server"}});
    launcher.jvmType = kServerFirst;
    EXPECT_EQ(PickedHome(), jre);  // key 2 looks up server first: both server VMs, newer wins
}

TEST_F(RegistrySearchTest, EqualCandidatesKeepKeyOrderThenEnumerationOrder) {
    const WString second = Register(kJreKey, L"1.8.0_45");
    const WString first = Register(kJdkKey, L"1.8.0.45");
    EXPECT_EQ(PickedHome(), first);  // key 1 comes before key 2 whatever the writing order

    CleanRuntimeRegistry();
    const WString a = Register(kRuntimeKey, L"1.8.0_45");
    const WString b = Register(kRuntimeKey, L"1.8.0-45");
    RegistryKeyReader reader;
    ASSERT_TRUE(reader.Open(kRuntimeKey, RegistryView::Own));
    const WStringList names = reader.SubkeyNames();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(PickedHome(), names[0] == L"1.8.0_45" ? a : b);
}

TEST_F(RegistrySearchTest, RuntimesWithoutALibraryOrHomeAreSkipped) {
    const WString good = Register(kRuntimeKey, L"1.6");
    Register(kRuntimeKey, L"1.8", {{}, true});                    // marker but no jvm.dll
    WriteRegistryValue(OwnViewFlag(), kRuntimeKey + L"1.9", L"", REG_SZ, nullptr, 0);  // no JavaHome
    RegisterRuntime(OwnViewFlag(), kRuntimeKey, L"11", temp.Path() + L"\\absent");
    EXPECT_EQ(PickedHome(), good);
    launcher.jvmType = kServerOnly;  // its only library is a client VM
    EXPECT_EQ(PickedHome(), L"(nothing)");
}

TEST_F(RegistrySearchTest, EachViewHasItsOwnRuntimesAndTheOtherNeedsAPairedProduct) {
    const WString own = Register(kRuntimeKey, L"1.7");
    const WString other = Register(kRuntimeKey, L"1.8", {}, OtherViewFlag());
    EXPECT_EQ(PickedHome(RegistryView::Own), own);
    EXPECT_EQ(PickedHome(kOtherView), L"(nothing)");  // no Pair Product: the view is not read
    launcher.pairProduct = L"C:\\pair\\Pair.exe";
    EXPECT_EQ(PickedHome(kOtherView), other);
}

TEST_F(RegistrySearchTest, JavaHomeOfAnyTypeAndShape) {
    const WString home = LayOut(temp.Path() + L"\\rt");
    const WString bare = home.substr(0, home.size() - 1);
    // Binary data without terminator: taken as text.
    WriteRegistryValue(OwnViewFlag(), kRuntimeKey + L"1.6", L"JavaHome", REG_BINARY, bare.data(),
                       static_cast<DWORD>(bare.size() * sizeof(wchar_t)));
    EXPECT_EQ(PickedHome(), home);
    // Text with junk after its NUL.
    const WString junk = bare + WString(1, L'\0') + L"C:\\elsewhere";
    WriteRegistryValue(OwnViewFlag(), kRuntimeKey + L"1.7", L"JavaHome", REG_EXPAND_SZ, junk.data(),
                       static_cast<DWORD>(junk.size() * sizeof(wchar_t)));
    const auto picked = SearchRegistry(launcher, RegistryView::Own);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->home, home);
    EXPECT_EQ(picked->version.parts[1], 7);
}

TEST_F(RegistrySearchTest, HostileValuesAndNamesNeitherCrashNorHang) {
    const WString good = Register(kRuntimeKey, L"1.6.0_10");
    const DWORD number = 0x41;
    WriteRegistryValue(OwnViewFlag(), kRuntimeKey + L"1.9.1", L"JavaHome", REG_DWORD, &number, sizeof number);
    WriteRegistryValue(OwnViewFlag(), kRuntimeKey + L"1.9.2", L"JavaHome", REG_SZ, L"", sizeof(wchar_t));
    WriteRegistryValue(OwnViewFlag(), kRuntimeKey + L"1.9.3", L"JavaHome", REG_SZ, L"", 0);
    const char odd[] = {'C', 0, ':', 0, '\\'};
    WriteRegistryValue(OwnViewFlag(), kRuntimeKey + L"1.9.4", L"JavaHome", REG_BINARY, odd, sizeof odd);
    const WString huge = L"C:\\" + WString(200000, L'a');
    WriteRegistryValue(OwnViewFlag(), kRuntimeKey + L"1.9.5", L"JavaHome", REG_SZ, huge.c_str(),
                       static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    const WString wild = temp.Path() + L"\\*";
    RegisterRuntime(OwnViewFlag(), kRuntimeKey, L"1.9.6", wild);
    // Names of the longest kind, names that are no version, a version too large to parse.
    RegisterRuntime(OwnViewFlag(), kRuntimeKey, WString(255, L'9'), temp.Path() + L"\\absent");
    RegisterRuntime(OwnViewFlag(), kRuntimeKey, L"1." + WString(253, L'x'), temp.Path() + L"\\absent");
    RegisterRuntime(OwnViewFlag(), kRuntimeKey, L"99999999999.1", temp.Path() + L"\\absent");
    for (int i = 0; i < 300; ++i) {
        const WString name = i % 3 == 0 ? L"junk" + std::to_wstring(i) : L"2." + std::to_wstring(i);
        WriteRegistryValue(OwnViewFlag(), kRuntimeKey + name, L"Other", REG_SZ, L"x", 4);
    }
    launcher.minVersion = ParseVersionOr(L"1.6", 0);
    EXPECT_EQ(PickedHome(), good);
}

}  // namespace
}  // namespace tarn
