// The per-user settings file under APPDATA that remembers a runtime the user chose.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// APPDATA\<product name without \?"|><:/*>\<product code>\<program name>.ini;
// with create set, the two folder levels are created.
WString BuildUserSettingsPath(const Launcher& launcher, const WString& executable, bool create);
// The launcher's own per-user file; empty when the module path cannot be read.
WString UserSettingsPath(const Launcher& launcher, bool create);
// The paired product's per-user file (folders created); empty without a paired product.
WString PairUserSettingsPath(const Launcher& launcher);
// The paired product's main settings file; false without a paired product or without a '.'.
bool PairSettingsPath(const Launcher& launcher, WString& path);

}  // namespace tarn
