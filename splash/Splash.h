// Starting and ending the splash: the runtime's splash library when preferred and present,
// otherwise the launcher's own window on a thread of its own.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// Reads the [Display] settings and shows the picture, if one is set; false only when the settings
// file cannot be located.
bool StartSplash(Launcher& launcher);
// Ends the splash thread and releases its window; does nothing when there is none. Any thread.
void CloseSplash(Launcher& launcher);

}  // namespace tarn
