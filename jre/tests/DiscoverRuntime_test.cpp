// The discovery sequence in this process: each source winning in turn and falling through to the
// next, with the results a run keeps (jvmPath, foundVersion, usePairedProduct).
#include <gtest/gtest.h>
#include <windows.h>

#include "jre/RuntimeSearch.h"
#include "jre/tests/Fixtures.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

using namespace test;

const std::array<int32_t, 4> kZero{0, 0, 0, 0};

class DiscoverRuntimeTest : public testing::Test {
protected:
    void SetUp() override {
        CleanRuntimeRegistry();
        SetSettingsDefaults(launcher);
    }
    void TearDown() override { CleanRuntimeRegistry(); }

    WString Runtime(const WString& name, const Layout& layout = {}) {
        return LayOut(temp.Path() + L"\\" + name, layout);
    }
    WString Registered(REGSAM view, const WString& version, const Layout& layout = {}) {
        const WString home = Runtime(L"reg" + version + (view == OwnViewFlag() ? L"own" : L"other"), layout);
        RegisterRuntime(view, kRuntimeKey, version, home);
        return home;
    }

    TempFolder temp;
    Launcher launcher;
    ScopedVariable javaHome{L"JAVA_HOME", nullptr};
};

TEST_F(DiscoverRuntimeTest, JrePathWinsWithoutMarkerAndWithoutBounds) {
    const WString configured = Runtime(L"configured", {{L"client"}, false});
    Registered(OwnViewFlag(), L"1.8");
    launcher.jrePath = configured.substr(0, configured.size() - 1);  // no trailing backslash
    launcher.minVersion = ParseVersionOr(L"99", 0);
    ASSERT_TRUE(DiscoverRuntime(launcher));
    EXPECT_EQ(launcher.jvmPath, configured + L"bin\\client\\jvm.dll");
    EXPECT_EQ(launcher.foundVersion.parts, kZero);
    EXPECT_FALSE(launcher.usePairedProduct);
}

TEST_F(DiscoverRuntimeTest, JrePathWithoutQualifyingLibraryFallsThroughToTheRegistry) {
    launcher.jrePath = Runtime(L"clientOnly");
    launcher.jvmType = kServerOnly;
    const WString registered = Registered(OwnViewFlag(), L"1.8.0_45", {{L"server"}});
    ASSERT_TRUE(DiscoverRuntime(launcher));
    EXPECT_EQ(launcher.jvmPath, registered + L"bin\\server\\jvm.dll");
    EXPECT_EQ(launcher.foundVersion.parts, (std::array<int32_t, 4>{1, 8, 0, 45}));
    EXPECT_FALSE(launcher.usePairedProduct);
}

TEST_F(DiscoverRuntimeTest, RegistryRuntimeTakesTheConfiguredTypeForItsLibrary) {
    // Key 4 ranks by its client VM under favor_server, but the chosen library is the server one.
    const WString registered = Registered(OwnViewFlag(), L"1.8", {{L"client", L"server"}});
    launcher.jvmType = kServerFirst;
    ASSERT_TRUE(DiscoverRuntime(launcher));
    EXPECT_EQ(launcher.jvmPath, registered + L"bin\\server\\jvm.dll");
}

TEST_F(DiscoverRuntimeTest, OtherViewIsTheSecondPassAndMeansThePairedProduct) {
    const WString other = Registered(OtherViewFlag(), L"1.8", {{L"client"}, true, Image::Native});
    ASSERT_FALSE(DiscoverRuntime(launcher));  // no Pair Product: the other view is never read

    launcher.pairProduct = L"C:\\pair\\Pair.exe";
    ASSERT_TRUE(DiscoverRuntime(launcher));
    EXPECT_EQ(launcher.jvmPath, other + L"bin\\client\\jvm.dll");
    EXPECT_EQ(launcher.foundVersion.parts, (std::array<int32_t, 4>{1, 8, 0, 0}));
    EXPECT_TRUE(launcher.usePairedProduct);  // whatever its image says

    // A runtime in the own view, even an older one, ends the search before the second pass.
    const WString own = Registered(OwnViewFlag(), L"1.6", {{L"client"}, true, Image::Other});
    ASSERT_TRUE(DiscoverRuntime(launcher));
    EXPECT_EQ(launcher.jvmPath, own + L"bin\\client\\jvm.dll");
    EXPECT_FALSE(launcher.usePairedProduct);  // no architecture check for registry runtimes
}

TEST_F(DiscoverRuntimeTest, JavaHomeIsTheLastSource) {
    const WString fromEnvironment = Runtime(L"env", {{L"client"}, true, Image::Other});
    ScopedVariable set(L"JAVA_HOME", fromEnvironment.substr(0, fromEnvironment.size() - 1).c_str());
    launcher.minVersion = ParseVersionOr(L"1.8", 0);
    Registered(OwnViewFlag(), L"1.7");  // outside the bounds
    launcher.pairProduct = L"C:\\pair\\Pair.exe";
    ASSERT_TRUE(DiscoverRuntime(launcher));
    EXPECT_EQ(launcher.jvmPath, fromEnvironment + L"bin\\client\\jvm.dll");
    EXPECT_EQ(launcher.foundVersion.parts, kZero);
    EXPECT_TRUE(launcher.usePairedProduct);  // checked: an image of the other machine

    // Any registry runtime comes first.
    const WString registered = Registered(OwnViewFlag(), L"1.8");
    ASSERT_TRUE(DiscoverRuntime(launcher));
    EXPECT_EQ(launcher.jvmPath, registered + L"bin\\client\\jvm.dll");
    EXPECT_FALSE(launcher.usePairedProduct);
}

TEST_F(DiscoverRuntimeTest, JavaHomeUnsetEmptyOrWithoutMarkerYieldsNothing) {
    const WString noMarker = Runtime(L"noMarker", {{L"client"}, false});
    const WString noLibrary = Runtime(L"noLibrary", {{}, true});
    EXPECT_EQ(JavaHomeFromEnvironment(), L"");
    EXPECT_FALSE(DiscoverRuntime(launcher));
    EXPECT_TRUE(launcher.jvmPath.empty());
    for (const WString& value : {WString(), noMarker, noLibrary, temp.Path() + L"\\absent"}) {
        ScopedVariable set(L"JAVA_HOME", value.c_str());
        EXPECT_FALSE(DiscoverRuntime(launcher)) << ToUtf8(value);
        EXPECT_TRUE(launcher.jvmPath.empty());
    }
    ScopedVariable set(L"JAVA_HOME", noLibrary.c_str());
    EXPECT_EQ(JavaHomeFromEnvironment(), noLibrary);  // a runtime home, but without a library
}

TEST_F(DiscoverRuntimeTest, EmptyJavaHomeDoesNotNameTheDriveRoot) {
    // With a backslash added, an empty value would read as the current drive's root.
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(temp.Path().c_str()));
    LayOut(L"C:\\");
    ScopedVariable set(L"JAVA_HOME", L"");
    EXPECT_EQ(JavaHomeFromEnvironment(), L"");
    EXPECT_FALSE(DiscoverRuntime(launcher));
    SetCurrentDirectoryW(previous);
    RemoveTree(L"C:\\bin");
}

TEST_F(DiscoverRuntimeTest, RuntimeBesideTheProgram) {
    const WString own = Runtime(L"own");
    EXPECT_EQ(LocalRuntimeHomeIn(own), own);
    EXPECT_EQ(LocalRuntimeHomeIn(own.substr(0, own.size() - 1)), own);
    const WString app = temp.Path() + L"\\app";
    const WString shipped = LayOut(app + L"\\jre");
    EXPECT_EQ(LocalRuntimeHomeIn(app), shipped);
    WriteBytes(app + L"\\bin\\java.dll", "marker");  // the folder itself is a runtime: it comes first
    EXPECT_EQ(LocalRuntimeHomeIn(app), app + L"\\");
    EXPECT_EQ(LocalRuntimeHomeIn(Runtime(L"libraryOnly", {{L"client"}, false})), L"");
    EXPECT_EQ(LocalRuntimeHomeIn(L""), L"");
    // The test program's own folder holds no runtime.
    EXPECT_EQ(LocalRuntimeHome(), L"");
}

struct ArchitectureCase {
    const char* name;
    Image image;
    bool pairProduct;
    bool expected;
};

TEST(CheckJvmArchitecture, OnlyAnImageOfTheOtherMachineWithAPairedProduct) {
    const ArchitectureCase cases[] = {
        {"other machine, paired product", Image::Other, true, true},
        {"other machine, no paired product", Image::Other, false, false},
        {"own machine, paired product", Image::Native, true, false},
        {"not an image, paired product", Image::Text, true, false},
    };
    TempFolder temp;
    for (const ArchitectureCase& c : cases) {
        const WString home = LayOut(temp.Path() + L"\\" + WString(c.name, c.name + strlen(c.name)), {{L"client"}, true, c.image});
        Launcher launcher;
        launcher.jvmPath = home + L"bin\\client\\jvm.dll";
        launcher.pairProduct = c.pairProduct ? L"C:\\pair\\Pair.exe" : L"";
        launcher.usePairedProduct = true;  // cleared first in every case
        CheckJvmArchitecture(launcher);
        EXPECT_EQ(launcher.usePairedProduct, c.expected) << c.name;
    }
    Launcher missing;
    missing.jvmPath = temp.Path() + L"\\absent\\jvm.dll";
    missing.pairProduct = L"C:\\pair\\Pair.exe";
    missing.usePairedProduct = true;
    CheckJvmArchitecture(missing);
    EXPECT_FALSE(missing.usePairedProduct);
}

TEST_F(DiscoverRuntimeTest, JrePathIsCheckedForArchitecture) {
    launcher.jrePath = Runtime(L"configured", {{L"client"}, false, Image::Other});
    launcher.pairProduct = L"C:\\pair\\Pair.exe";
    ASSERT_TRUE(DiscoverRuntime(launcher));
    EXPECT_TRUE(launcher.usePairedProduct);
    launcher.pairProduct.clear();
    ASSERT_TRUE(DiscoverRuntime(launcher));
    EXPECT_FALSE(launcher.usePairedProduct);
}

}  // namespace
}  // namespace tarn
