#include "service/ServiceStatus.h"

namespace tarn {
namespace {

// Reports come from the service's own thread, the VM thread, the control handler, the stop watch
// and the VM's exit hook; STOPPED must be the last the SCM hears.
bool Report(ServiceState& service, const ServiceReport& report) {
    if (service.statusHandle == nullptr) return false;
    const ExclusiveLock held(service.reportLock);
    const bool open = !service.stopped;
    if (open) {
        SERVICE_STATUS status{SERVICE_WIN32_OWN_PROCESS, report.state, report.controlsAccepted, report.win32ExitCode,
                              report.serviceSpecificExitCode, report.checkPoint, report.waitHintMs};
        service.stopped = report.state == kServiceStopped;
        SetServiceStatus(service.statusHandle, &status);
    }
    return open;
}

}  // namespace

void ReportStartStep(ServiceState& service, StartStep step) { Report(service, StartingReport(step)); }

void ReportRunning(ServiceState& service, JavaVM* javaVm) {
    service.javaVm = javaVm;
    Report(service, RunningReport());
}

bool ReportStopping(ServiceState& service, uint32_t checkPoint, uint32_t msLeft) {
    return Report(service, StoppingReport(checkPoint, msLeft));
}

bool ReportStopped(ServiceState& service, int32_t exitCode) {
    if (!Report(service, StoppedReport(exitCode))) return false;
    SetEvent(service.stoppedEvent.get());
    return true;
}

}  // namespace tarn
