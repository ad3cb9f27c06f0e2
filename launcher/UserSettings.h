// The per-user settings file under APPDATA that remembers a runtime the user chose.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// APPDATA\<product name without \?"|><:/*>\<product code>\<program name>.ini;
// with create set, the two folder levels are created.
WString BuildUserSettingsPath(const Launcher& launcher, const WString& executable, bool create);
// The launcher's own per-user file; empty when the module path cannot be read.
WString UserSettingsPath(const Launcher& launcher, bool create);
// A paired product's per-user file (folders created); empty when pair is.
WString PairUserSettingsPath(const Launcher& launcher, const WString& pair);
// A paired product's main settings file; false when pair is empty or has no '.'.
bool PairSettingsPath(const WString& pair, WString& path);

}  // namespace tarn
