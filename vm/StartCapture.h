// What the runtime prints while the program starts, for a desktop run or a service, which have no
// standard streams: when the runtime then ends the start itself (a module it cannot find, a main
// class its launcher helper cannot load), its own explanation reaches the message path (a box, an
// event) instead of going nowhere.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>

#include "base/Handles.h"
#include "report/Reporter.h"

namespace tarn {

class StartCapture {
public:
    StartCapture() = default;
    StartCapture(const StartCapture&) = delete;
    StartCapture& operator=(const StartCapture&) = delete;
    ~StartCapture() { End(); }

    // For a run other than a console's, without standard error: a pipe stands in for standard output and error
    // until End. The program's own output later goes nowhere, as without the pipe.
    void Begin(const Reporter& reporter);
    void End();
    // Once System.err goes to the Error File (its full path): the runtime explains a refused start there.
    void NoteErrorFile(const WString& path) { errorFile_ = path; }
    // From the VM's exit or abort hook: while the start is under way, shows what the runtime printed,
    // or where it printed it.
    void ReportIfStarting(const Reporter& reporter);

private:
    static DWORD WINAPI Drain(void* self);
    // Moves what the pipe holds into the kept text, without waiting; the caller holds lock_.
    void TakeAvailable();

    HandleHolder read_;
    HandleHolder write_;  // kept open: the runtime holds its value as its standard streams
    HandleHolder stop_;
    HandleHolder drainer_;
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::string kept_;  // the end of what was printed: an explanation comes last
    bool cut_ = false;  // kept_ lost its front
    HANDLE savedOutput_ = nullptr;
    HANDLE savedError_ = nullptr;
    std::atomic<bool> starting_ = false;
    WString errorFile_;
};

}  // namespace tarn
