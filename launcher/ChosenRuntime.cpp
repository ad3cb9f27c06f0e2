#include "launcher/ChosenRuntime.h"

#include <utility>

#include "base/StringTable.h"
#include "jre/JreNotFoundDialog.h"
#include "jre/RuntimeSearch.h"
#include "launcher/DiscoveryLog.h"
#include "launcher/ProfileWrite.h"
#include "launcher/Settings.h"
#include "launcher/UserSettings.h"
#include "vm/ErrorMessages.h"

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
    ShowWindowsErrorWithDetail(launcher.splashWindowHandle, kRememberFailedFormat, file);
}

}  // namespace

void RememberJrePath(const Launcher& launcher, const WString& home) {
    WString settingsFile;
    if (!GetSettingsFilePath(settingsFile)) return;
    WriteJrePath(launcher, launcher.isService ? settingsFile : UserSettingsPath(launcher, true), home);
    // Whichever paired launcher the runtime goes to finds it there too.
    for (const WString* pair : {&launcher.pairProduct, &launcher.machines.arm64Product}) {
        WString pairSettingsFile;
        if (!launcher.isService) WriteJrePath(launcher, PairUserSettingsPath(launcher, *pair), home);
        else if (PairSettingsPath(*pair, pairSettingsFile)) WriteJrePath(launcher, pairSettingsFile, home);
    }
}

bool AskUserForRuntime(Launcher& launcher) {
    WString message = JreNotFoundMessage(launcher.jvmType, launcher.minVersion, launcher.maxVersion);
    if (!ShowsWindows()) {
        // Nobody to browse for a folder: what is needed and where to get it, and the start ends.
        ShowErrorBox(nullptr, message + L"\n" + LoadText(kDownloadAddressText));
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
