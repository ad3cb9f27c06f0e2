#include "service/ServiceRules.h"

namespace tarn {

ServiceReport StartingReport(StartStep step) {
    // Reading settings touches a few files; the runtime search reads the registry and a few
    // folders; loading and creating a VM on a cold machine can take half a minute.
    constexpr uint32_t kWaitHintsMs[] = {5000, 15000, 30000};
    const auto index = static_cast<uint32_t>(step);
    return {.state = kServiceStartPending, .checkPoint = index + 1, .waitHintMs = kWaitHintsMs[index]};
}

ServiceReport RunningReport() { return {.state = kServiceRunning, .controlsAccepted = kServiceAcceptedControls}; }

ServiceReport StoppingReport(uint32_t checkPoint, uint32_t msLeft) {
    return {.state = kServiceStopPending, .checkPoint = checkPoint, .waitHintMs = msLeft + kStopReportIntervalMs};
}

ServiceReport StoppedReport(int32_t exitCode) {
    if (exitCode == 0) return {.state = kServiceStopped};
    return {.state = kServiceStopped, .win32ExitCode = kServiceSpecificError,
            .serviceSpecificExitCode = static_cast<uint32_t>(exitCode)};
}

uint32_t StopTimeoutMs(const WString& value) {
    constexpr uint32_t kLongestSeconds = 24 * 60 * 60;
    if (value.empty() || value.size() > 5) return kDefaultStopTimeoutMs;
    uint32_t seconds = 0;
    for (const wchar_t c : value) {
        if (c < L'0' || c > L'9') return kDefaultStopTimeoutMs;
        seconds = seconds * 10 + static_cast<uint32_t>(c - L'0');
    }
    return seconds <= kLongestSeconds ? seconds * 1000 : kDefaultStopTimeoutMs;
}

bool SplitStopMethod(const WString& value, WString& className, WString& methodName) {
    const int dot = ReverseFind(value, L'.');
    if (dot <= 0 || dot + 1 == static_cast<int>(value.size())) return false;
    className = value.substr(0, dot);
    ReplaceAll(className, L'.', L'/');
    methodName = value.substr(dot + 1);
    return true;
}

}  // namespace tarn
