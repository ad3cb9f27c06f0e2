// Shared set-up for the runtime-search tests: runtime folders on C:, runtimes registered in
// both views of the prefix's registry, and launchers with the settings reader's defaults.
#pragma once
#include <windows.h>

#include <vector>

#include "base/Text.h"
#include "launcher/Launcher.h"

namespace tarn::test {

// What goes into a runtime folder's jvm.dll files: a text file, or the stand-in runtime's
// library built for this machine or for the other architecture.
enum class Image { Text, Native, Other };

struct Layout {
    std::vector<WString> vms = {L"client"};  // folders under bin\ that get a jvm.dll
    bool javaMarker = true;                   // bin\java.dll
    Image image = Image::Native;
};

// Writes the runtime under home (created as needed) and returns home with a trailing backslash.
WString LayOut(const WString& home, const Layout& layout = {});
// Real PE images of this build's machine and of the other architecture.
WString NativeImagePath();
WString OtherImagePath();

// Registry writes under HKEY_LOCAL_MACHINE in one view (KEY_WOW64_64KEY or KEY_WOW64_32KEY).
void WriteRegistryValue(REGSAM view, const WString& subkey, const WString& name, DWORD type, const void* data,
                        DWORD size);
// source key (from the registry-source table) + version name, with JavaHome = home.
void RegisterRuntime(REGSAM view, const WString& sourceKey, const WString& versionName, const WString& javaHome);
// Removes every vendor tree the search reads, in both views.
void CleanRuntimeRegistry();
// The view a process of this build reads by default, and the other one.
REGSAM OwnViewFlag();
REGSAM OtherViewFlag();

// A launcher set up as the settings reader leaves it without runtime settings: every kind,
// mixed, Sun only, no bounds, no JRE Path.
void SetSettingsDefaults(Launcher& launcher);

// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const WString& name, const wchar_t* value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    WString name_;
    WString old_;
    bool hadValue_ = false;
};

inline const WString kJdkKey = L"Software\\JavaSoft\\JDK\\";
inline const WString kJreKey = L"Software\\JavaSoft\\JRE\\";
inline const WString kDevKitKey = L"Software\\JavaSoft\\Java Development Kit\\";
inline const WString kRuntimeKey = L"Software\\JavaSoft\\Java Runtime Environment\\";
inline const WString kJRockitJreKey = L"Software\\JRockit\\Java Runtime Environment\\";
inline const WString kJRockitJdkKey = L"Software\\JRockit\\Java Development Kit\\";
inline const WString kIbmKey = L"Software\\IBM\\Java2 Runtime Environment\\";

}  // namespace tarn::test
