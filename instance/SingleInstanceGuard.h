// The single-instance state of a run (fields of the Launcher).
#pragma once
#include <windows.h>

#include "base/Handles.h"

namespace tarn {

struct SingleInstanceGuard {
    bool enabled = false;    // the settings ask for the mode and its set-up did not switch it off
    bool isPrimary = false;  // this process created the shared block: it is the running instance
    HandleHolder mapping;
    ViewHolder blockView;    // the whole block, kBlockSize bytes
    HandleHolder listenerThread;
    HandleHolder mainStarted;  // manual reset, set once just before main (running instance only)
    // Copies kept by this process: any process of the session can overwrite the block's header.
    DWORD listenerThreadId = 0;
    UINT requestMessage = 0;
    UINT takenMessage = 0;
    DWORD runningProcessId = 0;  // a later start: the running instance it handed its arguments to
};

}  // namespace tarn
