#include "jre/RuntimeSearch.h"

namespace tarn {

bool DiscoverRuntime(Launcher&) { return false; }
void CheckJvmArchitecture(Launcher& launcher) { launcher.usePairedProduct = false; }

}  // namespace tarn
