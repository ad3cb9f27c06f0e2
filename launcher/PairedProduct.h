// Handing the run to the launcher built for the runtime's processor architecture.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// Starts "Pair Product" (or "Pair Product ARM64") with this launcher's own command line; its exit
// code when "Pair Return Code" asks for it, else 0.
int32_t RunPairedProduct(Launcher& launcher);

}  // namespace tarn
