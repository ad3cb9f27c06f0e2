// The per-user settings file in the roaming application-data folder that remembers a runtime the user chose.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// roaming\<product name without \?"|><:/*>\<product code>\<program name>.ini; with create set,
// the two folder levels are created.
WString UserSettingsPathIn(const WString& roaming, const Launcher& launcher, const WString& executable, bool create);
// The same in the user's roaming application-data folder: APPDATA when it holds an absolute path,
// else the shell's. Empty, with the last error set, when neither is known.
WString BuildUserSettingsPath(const Launcher& launcher, const WString& executable, bool create);
// The launcher's own per-user file; empty when the module path or the roaming folder is unknown.
WString UserSettingsPath(const Launcher& launcher, bool create);
// A paired product's main settings file; false when pair is empty or has no '.'.
bool PairSettingsPath(const WString& pair, WString& path);

}  // namespace tarn
