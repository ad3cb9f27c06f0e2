// The run as a Windows service: connected to the Service Control Manager through its control
// dispatcher, the launcher's own start and run go on on the service's thread.
#pragma once
#include "launcher/Launcher.h"

namespace tarn {

// False when the SCM did not start this process (it says so itself): the start goes on as any
// other. When the SCM started it, the process ends with the service; true, with the exit code, only
// when it could not connect to the SCM.
bool RunAsService(Launcher& launcher, int& exitCode);

}  // namespace tarn
