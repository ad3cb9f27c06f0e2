// Loading a runtime's jvm.dll into this process, without creating a VM.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/kit/Standin.h"
#include "vm/VmHost.h"

namespace tarn::test {
namespace {

TEST(VmLoader, TheRuntimesBinFolderBecomesADllDirectoryAndTheEntryPointsAreFound) {
    TempFolder home(L"jre");
    RuntimeSpec spec;
    spec.vms = {L"server"};
    spec.variant = JvmVariant::NoLauncherHelper;
    const WString runtime = LayOutRuntime(home.Path(), spec);
    // A library of the runtime's bin folder, as the VM loads its own (java.dll, ...).
    CopyTo(StandinSplashLibrary(), runtime + L"bin\\tarn-probe.dll");
    ASSERT_EQ(LoadLibraryExW(L"tarn-probe.dll", nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS), nullptr);

    Launcher launcher;
    launcher.jvmPath = runtime + L"bin\\server\\jvm.dll";
    ASSERT_TRUE(LoadJvmLibrary(launcher));
    EXPECT_NE(launcher.createJavaVm, nullptr);
    EXPECT_NE(launcher.getDefaultJavaVmInitArgs, nullptr);
    EXPECT_EQ(launcher.findClassFromBootLoader, nullptr);  // optional: this runtime lacks it
    EXPECT_NE(LoadLibraryExW(L"tarn-probe.dll", nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS), nullptr);
}

}  // namespace
}  // namespace tarn::test
