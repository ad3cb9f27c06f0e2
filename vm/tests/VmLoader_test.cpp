// Loading a runtime's jvm.dll into this process, without creating a VM.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/kit/Standin.h"
#include "vm/VmHost.h"

namespace tarn::test {
namespace {

TEST(VmLoader, TheRuntimesBinFolderBecomesADllDirectory) {
    TempFolder home(L"jre");
    const WString runtime = LayOutRuntime(home.Path(), {.vms = {L"server"}});
    // A library of the runtime's bin folder, as the VM loads its own (java.dll, ...).
    CopyTo(StandinSplashLibrary(), runtime + L"bin\\tarn-probe.dll");
    ASSERT_EQ(LoadLibraryExW(L"tarn-probe.dll", nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS), nullptr);

    Launcher launcher;
    launcher.jvmPath = runtime + L"bin\\server\\jvm.dll";
    ASSERT_TRUE(LoadJvmLibrary(launcher));  // the entry points are seen at work in every launch
    EXPECT_NE(LoadLibraryExW(L"tarn-probe.dll", nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS), nullptr);
}

}  // namespace
}  // namespace tarn::test
