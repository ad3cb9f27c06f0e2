#include "launcher/UserSettings.h"

#include <shlobj.h>

#include "base/Environment.h"
#include "base/Files.h"
#include "base/PathText.h"
#include "base/SystemFunction.h"
#include "launcher/Settings.h"

namespace tarn {

static WString ProgramName(const WString& executable) {
    WString name = FileNameOf(executable);
    const int dot = ReverseFind(name, L'.');
    if (dot >= 0) name.resize(dot);
    return name + L".ini";
}

static WString ProductFolder(const WString& productName) {
    WString folder;
    for (wchar_t ch : productName) {
        if (WString(L"\\?\"|><:/*").find(ch) == WString::npos) folder += ch;
    }
    return folder;
}

// The shell's own answer, asked only when APPDATA fails: only then are shell32 and ole32 loaded.
static WString ShellRoamingFolder() {
    constexpr GUID kRoamingAppData = {0x3eb685db, 0x65f9, 0x4cf6, {0xa0, 0x3a, 0xe3, 0xef, 0x65, 0x72, 0x9f, 0x3d}};
    const auto known = SystemFunction<decltype(&SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    const auto release = SystemFunction<decltype(&CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    wchar_t* folder = nullptr;
    const HRESULT result =
        known == nullptr ? HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND) : known(kRoamingAppData, 0, nullptr, &folder);
    const WString path = SUCCEEDED(result) && folder != nullptr ? folder : L"";
    if (folder != nullptr && release != nullptr) release(folder);
    SetLastError(HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : ERROR_PATH_NOT_FOUND);
    return path;
}

// A drive with its root, or a UNC path: "C:" or "C:folder" would put the file at a drive's root or
// below whatever folder is current on that drive.
static bool IsFullPath(const WString& path) {
    return path.size() >= 3 && IsAbsolutePath(path) && IsPathSeparator(path[path[1] == L':' ? 2 : 0]);
}

// APPDATA when it holds a full path, else the shell's; empty, with the last error set, when neither.
static WString RoamingFolder() {
    const WString variable = GetEnvironment(L"APPDATA");
    return IsFullPath(variable) ? variable : ShellRoamingFolder();
}

// Only the product and product-code levels are created; the roaming folder itself is expected to exist.
WString UserSettingsPathIn(const WString& roaming, const Launcher& launcher, const WString& executable, bool create) {
    const WString product = roaming + L"\\" + ProductFolder(launcher.productName);
    if (create) CreateDirectoryW(product.c_str(), nullptr);
    const WString code = product + L"\\" + launcher.productCode;
    if (create) CreateDirectoryW(code.c_str(), nullptr);
    return code + L"\\" + ProgramName(executable);
}

WString BuildUserSettingsPath(const Launcher& launcher, const WString& executable, bool create) {
    const WString roaming = RoamingFolder();
    return roaming.empty() ? WString() : UserSettingsPathIn(roaming, launcher, executable, create);
}

WString UserSettingsPath(const Launcher& launcher, bool create) {
    const WString module = ModulePath();
    return module.empty() ? WString() : BuildUserSettingsPath(launcher, module, create);
}

bool PairSettingsPath(const WString& pair, WString& path) { return !pair.empty() && SettingsPathFor(pair, path); }

}  // namespace tarn
