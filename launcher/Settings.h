// Where the settings are and how the launcher reads them at start.
#pragma once
#include <memory>

#include "launcher/IniFileStore.h"
#include "launcher/Launcher.h"

namespace tarn {

// The launcher's full path; false after the error box when it cannot be read.
bool GetModulePath(const Reporter& reporter, WString& path);
// The module path with everything after its last '.' replaced by "ini".
bool GetSettingsFilePath(const Reporter& reporter, WString& path);
// The settings path rule for any executable path; false when it holds no '.'.
bool SettingsPathFor(const WString& executable, WString& path);
// The layered store on the settings file with the built-in base text, opened once a run; null when no
// path can be formed.
LayeredSettingsStore* LayeredSettings(Launcher& launcher);
// Opens the settings file and reads what a start needs first, before any message: the product's
// names and "Application Type". False when no path can be formed.
bool OpenSettings(Launcher& launcher);
// Fills the other settings fields, after opening the file unless that was done; false after
// reporting a missing main class.
bool ReadSettings(Launcher& launcher);
// Both steps from a given settings file.
bool ReadSettingsFile(Launcher& launcher, const WString& path);

// Defined once (Settings.cpp): as inline variables every file that includes this one would carry an
// initializer of its own.
extern const WString kProductSection;
extern const WString kJreSection;
extern const WString kApplicationSection;
extern const WString kClassPathSection;
extern const WString kDisplaySection;

}  // namespace tarn
