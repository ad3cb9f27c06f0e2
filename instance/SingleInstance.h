// Single-instance mode: the first start of an executable path runs the program, later starts hand
// their arguments to its static secondaryMain and end with the reply.
#pragma once
#include <cstdint>
#include <span>

#include "launcher/Launcher.h"

namespace tarn {

// Reads the settings and becomes the running instance, or hands the arguments over as a later
// start. False when this start must fail: no settings file path, arguments too long, hand-over
// refused. Problems of the mode itself switch it off and the start goes on as an ordinary one.
// joinOnly: hand over to a running instance if there is one, but never become it.
bool SetUpSingleInstance(Launcher& launcher, bool joinOnly = false);
// A later start, whose Run only waits for the running instance's reply.
bool IsLaterStart(const Launcher& launcher);
// The later start's exit code: the reply, or the running instance's exit code when it ends first.
int32_t AwaitForwardReply(Launcher& launcher);
// From now on later starts are served: called just before main.
void SignalMainStarted(Launcher& launcher);
// Stops the listener and closes the shared objects (at the launcher's end).
void ReleaseSingleInstance(Launcher& launcher);

// The mapped block of this run.
std::span<uint8_t> BlockBytes(const SingleInstanceGuard& guard);
// The running instance's thread that receives requests; it serves each with a worker thread.
DWORD WINAPI ListenerThread(void* launcher);
// The later start's side of the hand-over (during set-up).
bool ForwardArguments(Launcher& launcher, const WString& baseName);

}  // namespace tarn
