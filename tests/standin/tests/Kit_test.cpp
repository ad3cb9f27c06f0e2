// The tests' side of the stand-in: runtime folders laid out as installed runtimes are.
#include <gtest/gtest.h>

#include "tests/kit/TextFiles.h"
#include "tests/standin/tests/StandinTesting.h"

namespace tarn::test {
namespace {

class Kit : public StandinTest {};

TEST_F(Kit, LaysOutARuntimeWithTheChosenVmsMarkerAndSplashLibrary) {
    RuntimeSpec spec;
    spec.vms = {L"client", L"server"};
    spec.splashLibrary = true;
    spec.variant = JvmVariant::NoLauncherHelper;
    const WString home = File(L"jre");
    EXPECT_EQ(LayOutRuntime(home, spec), home + L"\\");
    EXPECT_TRUE(FileExists(home + L"\\bin\\java.dll"));
    EXPECT_EQ(ReadBytes(home + L"\\bin\\client\\jvm.dll"), ReadBytes(StandinJvm(JvmVariant::NoLauncherHelper)));
    EXPECT_EQ(ReadBytes(home + L"\\bin\\server\\jvm.dll"), ReadBytes(StandinJvm(JvmVariant::NoLauncherHelper)));
    EXPECT_FALSE(FileExists(home + L"\\bin\\classic"));
    EXPECT_EQ(ReadBytes(home + L"\\bin\\splashscreen.dll"), ReadBytes(StandinSplashLibrary()));
}

TEST_F(Kit, LaysOutAJdkWithItsRuntimeUnderJre) {
    RuntimeSpec spec;
    spec.jdk = true;
    spec.javaMarker = false;
    spec.vms = {L"hotspot"};
    spec.arch = Arch::Other;
    const WString home = File(L"jdk") + L"\\";
    EXPECT_EQ(LayOutRuntime(home, spec), home + L"jre\\");
    EXPECT_TRUE(FileExists(home + L"bin\\javac.exe"));
    EXPECT_FALSE(FileExists(home + L"jre\\bin\\java.dll"));
    EXPECT_FALSE(FileExists(home + L"bin\\java.dll"));
    EXPECT_EQ(ReadBytes(home + L"jre\\bin\\hotspot\\jvm.dll"), ReadBytes(StandinJvm(JvmVariant::Full, Arch::Other)));
    EXPECT_FALSE(FileExists(home + L"jre\\bin\\splashscreen.dll"));
}

}  // namespace
}  // namespace tarn::test
