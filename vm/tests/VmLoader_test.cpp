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

TEST(VmLoader, DefaultJavaStackSizeTakesOnlyAPositiveDefault) {
    TempFolder home(L"jre");
    Launcher launcher;
    launcher.jvmPath = LayOutRuntime(home.Path()) + L"bin\\client\\jvm.dll";
    ASSERT_TRUE(LoadJvmLibrary(launcher));
    EXPECT_NE(launcher.findClassFromBootLoader, nullptr);
    const std::pair<const wchar_t*, uint32_t> cases[] = {
        {L"6291456", 6291456u}, {L"1", 1u}, {L"0", 0u}, {L"-65536", 0u}};
    for (const auto& [value, expected] : cases) {
        SetEnvironmentVariableW(L"TARN_STANDIN_DEFAULT_STACK", value);
        EXPECT_EQ(DefaultJavaStackSize(launcher), expected) << value;
    }
    SetEnvironmentVariableW(L"TARN_STANDIN_DEFAULT_STACK", nullptr);
    EXPECT_EQ(DefaultJavaStackSize(launcher), 1024u * 1024u);  // the VM's own default on x86_64
}

}  // namespace
}  // namespace tarn::test
