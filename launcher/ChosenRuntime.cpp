#include "launcher/ChosenRuntime.h"

#include <utility>

#include "base/Files.h"
#include "base/StringTable.h"
#include "jre/JreNotFoundDialog.h"
#include "jre/RuntimeSearch.h"
#include "launcher/DiscoveryLog.h"
#include "launcher/ProfileWrite.h"
#include "launcher/Settings.h"
#include "launcher/UserSettings.h"
#include "report/Reporter.h"

namespace tarn {

namespace {

constexpr unsigned kRememberFailedFormat = 240;
constexpr unsigned kDownloadAddressText = 270;

// Only "JRE Path" changes; a failure is told to the user, and the start goes on.
void WriteJrePath(const Launcher& launcher, const WString& file, const WString& home) {
    if (file.empty()) return;
    const uint32_t error = WriteProfileValueSafely(file, kJreSection, L"JRE Path", home);
    if (error == 0) return;
    SetLastError(error);
    ShowWindowsErrorWithDetail(launcher.reporter, kRememberFailedFormat, file);
}

// Without a roaming folder nothing is remembered, and the user is told with the file's name in it
// (false then).
bool WriteUserJrePath(const Launcher& launcher, const WString& executable, const WString& home) {
    const WString file = BuildUserSettingsPath(launcher, executable, true);
    if (!file.empty()) {
        WriteJrePath(launcher, file, home);
        return true;
    }
    const DWORD error = GetLastError();
    const WString name = UserSettingsPathIn(L"%APPDATA%", launcher, executable, false);
    SetLastError(error);
    ShowWindowsErrorWithDetail(launcher.reporter, kRememberFailedFormat, name);
    return false;
}

}  // namespace

void RememberJrePath(const Launcher& launcher, const WString& home) {
    WString settingsFile;
    if (!GetSettingsFilePath(launcher.reporter, settingsFile)) return;
    if (launcher.isService) {
        WriteJrePath(launcher, settingsFile, home);
    } else if (!WriteUserJrePath(launcher, ModulePath(), home)) {
        return;  // the paired launchers' files would be in the same missing folder: told once
    }
    // Whichever paired launcher the runtime goes to finds it there too.
    for (const WString* pair : {&launcher.pairProduct, &launcher.machines.arm64Product}) {
        WString pairSettingsFile;
        if (pair->empty()) continue;
        if (!launcher.isService) {
            WriteUserJrePath(launcher, *pair, home);
        } else if (PairSettingsPath(*pair, pairSettingsFile)) {
            WriteJrePath(launcher, pairSettingsFile, home);
        }
    }
}

bool AskUserForRuntime(Launcher& launcher) {
    WString message = JreNotFoundMessage(launcher.jvmType, launcher.minVersion, launcher.maxVersion);
    if (!launcher.reporter.ShowsWindows()) {
        // Nobody to browse for a folder: what is needed and where to get it, and the start ends.
        ShowErrorBox(launcher.reporter, message + L"\n" + LoadText(kDownloadAddressText));
        return false;
    }
    JreNotFoundDialog dialog(std::move(message), launcher.jvmType);
    const INT_PTR result = dialog.Show(GetActiveWindow());
    if (result == -1) {
        SetLastError(ERROR_OUTOFMEMORY);
        return false;
    }
    if (result != IDOK) return false;
    launcher.jvmPath = dialog.ChosenJvmPath();
    // The user's own choice is loaded even when the system cannot run it: its failure then names it.
    CheckJvmArchitecture(launcher);
    LogRuntimeChosen(RuntimeSource::ChosenByUser, launcher);
    RememberJrePath(launcher, dialog.ChosenHome());
    return true;
}

}  // namespace tarn
