// Paths that the launcher puts into 8-bit VM options, each in a form the runtime can decode.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// The 8-bit text of a ";"-separated list of paths; false after message 260 names the first path
// that has no form the code page can hold. dropMissing: such a path that does not exist is left out.
bool NarrowPathList(const Launcher& launcher, const WString& list, bool dropMissing, NarrowString& narrow);
// A vendor's VM parameter with its references expanded. A value the code page cannot hold is taken
// as a path and passed in its short form; false after message 260 when it has none.
bool ExpandVmParameter(const Launcher& launcher, const WString& parameter, WString& expanded);

}  // namespace tarn
