// What a Windows service tells the Service Control Manager while it starts, runs and stops, and how
// the Java program's end becomes the service's exit code. Windows-free: the numbers are winsvc.h's.
#pragma once
#include <cstdint>

#include "base/Text.h"

namespace tarn {

// The steps of a start, in order; each is reported with the next checkpoint.
enum class StartStep { ReadSettings, FindRuntime, CreateVm };

inline constexpr uint32_t kServiceStopped = 1;
inline constexpr uint32_t kServiceStartPending = 2;
inline constexpr uint32_t kServiceStopPending = 3;
inline constexpr uint32_t kServiceRunning = 4;
// Stop, Shutdown and Preshutdown: each ends the program the same way.
inline constexpr uint32_t kServiceAcceptedControls = 0x1 | 0x4 | 0x100;
inline constexpr uint32_t kServiceSpecificError = 1066;  // ERROR_SERVICE_SPECIFIC_ERROR
// How often a stop that is still going on is reported.
inline constexpr uint32_t kStopReportIntervalMs = 1000;
inline constexpr uint32_t kDefaultStopTimeoutMs = 20000;

// The fields of SERVICE_STATUS that change during a run.
struct ServiceReport {
    uint32_t state = kServiceStartPending;
    uint32_t controlsAccepted = 0;
    uint32_t win32ExitCode = 0;
    uint32_t serviceSpecificExitCode = 0;
    uint32_t checkPoint = 0;
    uint32_t waitHintMs = 0;
};

// A start in progress: the step's checkpoint (1, 2, 3) and how long the step may honestly take.
ServiceReport StartingReport(StartStep step);
// main is called: Stop, Shutdown and Preshutdown are accepted from now on.
ServiceReport RunningReport();
// A stop in progress, reported again every kStopReportIntervalMs with the next checkpoint; the hint
// covers the time left until the program is ended, and that report.
ServiceReport StoppingReport(uint32_t checkPoint, uint32_t msLeft);
// The end: 0 is a clean end; any other code is a service-specific error that carries the program's
// code, so that the recovery actions fire.
ServiceReport StoppedReport(int32_t exitCode);

// "Service Stop Timeout": whole seconds (at most a day); any other text gives the default.
uint32_t StopTimeoutMs(const WString& value);
// "Service Stop Method" = a.b.C.name: the class a/b/C and the method name. False unless both are there.
bool SplitStopMethod(const WString& value, WString& className, WString& methodName);

}  // namespace tarn
