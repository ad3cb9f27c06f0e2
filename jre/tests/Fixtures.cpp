#include "jre/tests/Fixtures.h"

#include <gtest/gtest.h>

#include "base/Environment.h"
#include "base/PathText.h"
#include "jre/JavaVersion.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/kit/Standin.h"

namespace tarn::test {

WString NativeImagePath() { return StandinJvm(JvmVariant::Full, Arch::Native); }
WString OtherImagePath() { return StandinJvm(JvmVariant::Full, Arch::Other); }

WString LayOut(const WString& home, const Layout& layout) {
    if (layout.image != Image::Text) {
        RuntimeSpec spec;
        spec.vms = layout.vms;
        spec.javaMarker = layout.javaMarker;
        spec.arch = layout.image == Image::Native ? Arch::Native : Arch::Other;
        return LayOutRuntime(home, spec);
    }
    const WString folder = WithTrailingBackslash(home);
    if (layout.javaMarker) WriteBytes(folder + L"bin\\java.dll", "");
    for (const WString& vm : layout.vms) WriteBytes(folder + L"bin\\" + vm + L"\\jvm.dll", "not an image");
    return folder;
}

void WriteRegistryValue(REGSAM view, const WString& subkey, const WString& name, DWORD type, const void* data,
                        DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS)
        << ToUtf8(subkey);
    if (data != nullptr) {
        EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    RegCloseKey(key);
}

void RegisterRuntime(REGSAM view, const WString& sourceKey, const WString& versionName, const WString& javaHome) {
    WriteRegistryValue(view, sourceKey + versionName, L"JavaHome", REG_SZ, javaHome.c_str(),
                       static_cast<DWORD>((javaHome.size() + 1) * sizeof(wchar_t)));
}

void CleanRuntimeRegistry() {
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY software = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | view, &software) != ERROR_SUCCESS) continue;
        for (const wchar_t* vendor : {L"JavaSoft", L"JRockit", L"IBM"}) RegDeleteTreeW(software, vendor);
        RegCloseKey(software);
    }
}

REGSAM OwnViewFlag() { return sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }
REGSAM OtherViewFlag() { return sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY; }

void SetSettingsDefaults(Launcher& launcher) {
    launcher.jdkWanted = launcher.jreWanted = launcher.mixedSources = true;
    launcher.sunAllowed = launcher.sunFav = true;
    launcher.jrockitAllowed = launcher.jrockitFav = launcher.ibmAllowed = launcher.ibmFav = false;
    launcher.jvmType = kClientFirst;
    launcher.minVersion = AnyMinimum();
    launcher.maxVersion = AnyMaximum();
    launcher.jrePath.clear();
    launcher.pairProduct.clear();
}

ScopedVariable::ScopedVariable(const WString& name, const wchar_t* value) : name_(name) {
    const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    hadValue_ = size > 0;  // an empty value still needs room for its terminator
    old_ = GetEnvironment(name);
    SetEnvironmentVariableW(name.c_str(), value);
}

ScopedVariable::~ScopedVariable() { SetEnvironmentVariableW(name_.c_str(), hadValue_ ? old_.c_str() : nullptr); }

}  // namespace tarn::test
