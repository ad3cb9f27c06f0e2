// When no runtime was found: ask the user for one, and remember the answer for later starts.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// Shows the "JRE Not Found" dialog; on OK takes the chosen JVM library (checking its
// architecture) and remembers its folder. False when the user cancelled, or when the dialog could
// not be shown (last error ERROR_OUTOFMEMORY).
bool AskUserForRuntime(Launcher& launcher);
// Writes "JRE Path" = home into the per-user files (the settings files for a service) of the
// launcher and of its paired launchers. A file that cannot be written is reported and left intact.
void RememberJrePath(const Launcher& launcher, const WString& home);

}  // namespace tarn
