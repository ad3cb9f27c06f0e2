// Stop, Shutdown and Preshutdown. The Java program ends as the java command ends it on Ctrl+C: its
// shutdown hooks run, through System.exit(0) on a thread attached to the VM, after the vendor's
// stop method when one is named. A program still running after the stop timeout is ended.
#pragma once
#include "report/Reporter.h"
#include "service/ServiceState.h"

namespace tarn {

// For the control handler, which must return at once: the stop goes on in threads of its own.
// A second request (Shutdown after Preshutdown) changes nothing.
void BeginStop(ServiceState& service, const Reporter& reporter);

}  // namespace tarn
