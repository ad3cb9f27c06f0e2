// What the run tells the Service Control Manager. Each function does nothing unless the SCM
// started the run.
#pragma once
#include "service/ServiceState.h"

namespace tarn {

void ReportStartStep(ServiceState& service, StartStep step);
// main is about to be called: RUNNING, and a stop attaches to this VM.
void ReportRunning(ServiceState& service, JavaVM* javaVm);
// STOP_PENDING while a stop goes on; false once the service has stopped.
bool ReportStopping(ServiceState& service, uint32_t checkPoint, uint32_t msLeft);
// STOPPED with the program's exit code, once: the first end reported wins, and false for any later
// one. The caller then ends the process with that code.
bool ReportStopped(ServiceState& service, int32_t exitCode);

}  // namespace tarn
