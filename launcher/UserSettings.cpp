#include "launcher/UserSettings.h"

#include "base/Environment.h"
#include "base/Files.h"
#include "base/PathText.h"
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

// Only the product and product-code levels are created; APPDATA itself is expected to exist.
WString BuildUserSettingsPath(const Launcher& launcher, const WString& executable, bool create) {
    WString path = GetEnvironment(L"APPDATA") + L"\\" + ProductFolder(launcher.productName);
    if (create) CreateDirectoryW(path.c_str(), nullptr);
    path += L"\\" + launcher.productCode;
    if (create) CreateDirectoryW(path.c_str(), nullptr);
    return path + L"\\" + ProgramName(executable);
}

WString UserSettingsPath(const Launcher& launcher, bool create) {
    const WString module = ModulePath();
    return module.empty() ? WString() : BuildUserSettingsPath(launcher, module, create);
}

WString PairUserSettingsPath(const Launcher& launcher, const WString& pair) {
    return pair.empty() ? WString() : BuildUserSettingsPath(launcher, pair, true);
}

bool PairSettingsPath(const WString& pair, WString& path) { return !pair.empty() && SettingsPathFor(pair, path); }

}  // namespace tarn
