// The state of a run that the Service Control Manager started, a field of the Launcher. For any
// other start it stays empty and the service functions do nothing.
#pragma once
#include <windows.h>

#include <jni.h>

#include <atomic>
#include <cstdint>

#include "base/Handles.h"
#include "base/Text.h"
#include "service/ServiceRules.h"

namespace tarn {

struct ServiceState {
    SERVICE_STATUS_HANDLE statusHandle = nullptr;  // set when the SCM started this run
    WString stopMethod;                            // "Service Stop Method"; empty: System.exit(0) alone
    uint32_t stopTimeoutMs = kDefaultStopTimeoutMs;  // "Service Stop Timeout"
    std::atomic<JavaVM*> javaVm = nullptr;         // from the call of main on: the VM a stop attaches to
    std::atomic<bool> stopRequested = false;
    HandleHolder stoppedEvent;  // set once STOPPED is reported
    SRWLOCK reportLock = SRWLOCK_INIT;
    bool stopped = false;  // under reportLock: STOPPED was reported; nothing may follow
};

}  // namespace tarn
