#include "launcher/Settings.h"

#include "base/Files.h"
#include "base/PathText.h"
#include "launcher/BaseText.h"
#include "launcher/DiscoveryLog.h"
#include "launcher/ProcessIdentity.h"
#include "launcher/Restart.h"
#include "launcher/UserSettings.h"
#include "report/Reporter.h"

namespace tarn {

const WString kProductSection = L"Product Information";
const WString kJreSection = L"Java Runtime Environment";
const WString kApplicationSection = L"Application";
const WString kClassPathSection = L"Class Path";
const WString kDisplaySection = L"Display";

bool GetModulePath(const Reporter& reporter, WString& path) {
    path = ModulePath();
    if (path.empty()) {
        ShowWindowsError(reporter, 208);
        return false;
    }
    return true;
}

bool SettingsPathFor(const WString& executable, WString& path) {
    const int dot = ReverseFind(executable, L'.');
    if (dot < 0) return false;
    path = executable.substr(0, dot + 1) + L"ini";
    return true;
}

bool GetSettingsFilePath(const Reporter& reporter, WString& path) {
    WString module;
    return GetModulePath(reporter, module) && SettingsPathFor(module, path);
}

LayeredSettingsStore* LayeredSettings(Launcher& launcher) {
    if (launcher.settings == nullptr) {
        WString path;
        if (!GetSettingsFilePath(launcher.reporter, path)) return nullptr;
        launcher.settings = std::make_unique<LayeredSettingsStore>(path, LoadBaseText(launcher.upgradeCode));
    }
    return launcher.settings.get();
}

namespace {

struct VendorRow {
    const wchar_t* value;
    bool jrockitAllowed, jrockitFav, sunAllowed, sunFav, ibmAllowed, ibmFav;
};

constexpr VendorRow kVendorRows[] = {
    {L"jrockit", true, true, false, false, false, false},
    {L"ibm", false, false, false, false, true, true},
    {L"favor_sun", true, false, true, true, true, false},
    {L"favor_jrockit", true, true, true, false, true, false},
    {L"favor_ibm", true, false, true, false, true, true},
    {L"any", true, false, true, false, true, false},
};

void ApplyVmProvider(const WString& value, Launcher& launcher) {
    for (const VendorRow& row : kVendorRows) {
        if (!EqualsNoCase(value, row.value)) continue;
        launcher.jrockitAllowed = row.jrockitAllowed;
        launcher.jrockitFav = row.jrockitFav;
        launcher.sunAllowed = row.sunAllowed;
        launcher.sunFav = row.sunFav;
        launcher.ibmAllowed = row.ibmAllowed;
        launcher.ibmFav = row.ibmFav;
        return;
    }
}

void ApplyJvmSource(const WString& value, Launcher& launcher) {
    if (value.empty()) {
        launcher.jdkWanted = launcher.jreWanted = true;
        return;
    }
    launcher.jdkWanted = value == L"favor_JDK" || value == L"only_JDK";
    launcher.jreWanted = value == L"favor_JRE" || value == L"only_JRE";
    launcher.mixedSources = value == L"favor_JRE" || value == L"favor_JDK";
}

int32_t JvmTypeOf(const WString& value) {
    if (value == L"server") return kServerOnly;
    if (value == L"favor_server") return kServerFirst;
    return kClientFirst;
}

// A value that is neither a drive path nor a UNC path lies in the launcher's folder.
WString AbsoluteJrePath(const Reporter& reporter, const WString& value) {
    if (IsAbsolutePath(value)) return value;
    WString module;
    GetModulePath(reporter, module);
    return StripPathComponents(module, 1) + L"\\" + value;
}

// An unreadable settings file reads as an empty one; say why rather than that a key is missing.
void ReportMissingMainClass(const Launcher& launcher, IniFileStore& file) {
    unsigned char head[4] = {};
    const uint32_t error = file.ReadFileHead(head);
    if (error != 0) {
        ShowSystemError(launcher.reporter, 250, file.Path(), error);
    } else if (IsUtf16WithoutByteOrderMark(head)) {
        ShowFormattedError(launcher.reporter, 251, {file.Path()});
    } else {
        ShowErrorBox(launcher.reporter, 210);
    }
}

WString ReadJrePath(const Launcher& launcher, SettingsStore& settings) {
    if (!launcher.isService) {
        const WString userFile = UserSettingsPath(launcher, false);
        if (!userFile.empty() && PathExists(userFile)) return IniFileStore(userFile).Read(kJreSection, L"JRE Path");
    }
    return settings.Read(kJreSection, L"JRE Path");
}

void OpenSettingsFile(Launcher& launcher, const WString& path) {
    IniFileStore file(path);
    launcher.productCode = file.Read(kProductSection, L"Product Code");
    launcher.upgradeCode = file.Read(kProductSection, L"Upgrade Code");
    launcher.productName = file.Read(kProductSection, L"Product Name");
    launcher.settings = std::make_unique<LayeredSettingsStore>(path, LoadBaseText(launcher.upgradeCode));
    launcher.isService = launcher.settings->Read(kApplicationSection, L"Application Type") == L"service";
}

// Everything after the product's names and "Application Type".
bool ReadOpenedSettings(Launcher& launcher, const WString& path) {
    LayeredSettingsStore& settings = *launcher.settings;
    // Before any window, message boxes about the settings included.
    if (!TakeProcessIdentity(launcher, settings.Read(kApplicationSection, L"App User Model ID"),
                             settings.Read(kApplicationSection, L"Process Priority"))) {
        return false;
    }
    const WString minimum = settings.Read(kJreSection, L"Minimum Version");
    launcher.minVersion = minimum == L"any" ? AnyMinimum() : ParseVersionOr(minimum, 0);
    // An absent maximum sets no upper bound, as the requirement text already says.
    const WString maximum = settings.Read(kJreSection, L"Maximum Version");
    launcher.maxVersion = (maximum == L"any" || maximum.empty()) ? AnyMaximum() : ParseVersionOr(maximum, kOpenUpperPart);
    if (!PrepareRestart(launcher, settings.Read(kApplicationSection, L"Restart Exit Codes"))) return false;
    launcher.preferredVersions = SplitList(settings.Read(kJreSection, L"Preferred versions"), L";");
    launcher.jrePath = AbsoluteJrePath(launcher.reporter, ReadJrePath(launcher, settings));
    launcher.jvmType = JvmTypeOf(settings.Read(kJreSection, L"JVM Type"));
    ApplyJvmSource(settings.Read(kJreSection, L"JVM Source"), launcher);
    ApplyVmProvider(settings.Read(kJreSection, L"VM Provider"), launcher);
    launcher.allVendors = EqualsNoCase(settings.Read(kJreSection, L"All Vendors"), L"Yes");

    launcher.mainClass = settings.Read(kJreSection, L"Main Class");
    switch (ReadMainEntry(launcher.reporter, settings, launcher.mainClass, launcher.javaLaunch)) {
        case MainEntry::Missing: {
            IniFileStore file(path);
            ReportMissingMainClass(launcher, file);
            return false;
        }
        case MainEntry::Conflicting: return false;
        case MainEntry::Given: break;
    }
    ReplaceAll(launcher.mainClass, L'.', L'/');

    launcher.failureCheck = EqualsNoCase(settings.Read(kApplicationSection, L"Failure Check"), L"Yes");
    launcher.overrideWorkingDir = EqualsNoCase(settings.Read(kApplicationSection, L"Override WorkingDir"), L"Yes");
    launcher.systemPath = settings.Read(kJreSection, L"System Path");
    launcher.libraryPath = settings.Read(kJreSection, L"Library Path");
    launcher.pairProduct = settings.Read(kApplicationSection, L"Pair Product");
    launcher.machines.arm64Product = settings.Read(kApplicationSection, L"Pair Product ARM64");
    launcher.pairReturnCode = EqualsNoCase(settings.Read(kApplicationSection, L"Pair Return Code"), L"Yes");
    if (launcher.isService) {
        launcher.service.stopMethod = settings.Read(kApplicationSection, L"Service Stop Method");
        launcher.service.stopTimeoutMs = StopTimeoutMs(settings.Read(kApplicationSection, L"Service Stop Timeout"));
    }
    return true;
}

}  // namespace

bool OpenSettings(Launcher& launcher) {
    WString path;
    if (!GetSettingsFilePath(launcher.reporter, path)) return false;
    LogSettingsFile(path);
    OpenSettingsFile(launcher, path);
    return true;
}

bool ReadSettings(Launcher& launcher) {
    if (launcher.settings == nullptr && !OpenSettings(launcher)) return false;
    return ReadOpenedSettings(launcher, launcher.settings->Path());
}

bool ReadSettingsFile(Launcher& launcher, const WString& path) {
    OpenSettingsFile(launcher, path);
    return ReadOpenedSettings(launcher, path);
}

}  // namespace tarn
