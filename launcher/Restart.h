// Starting the program again when it ends with an exit code that "Restart Exit Codes" lists. The
// process the user starts then hosts no VM: it supervises, starting the launcher once more as a
// child process for each run, and ends with the last run's exit code.
#pragma once
#include <cstdint>
#include <vector>

#include "base/Text.h"

namespace tarn {

class Launcher;

struct RestartPolicy {
    std::vector<int32_t> exitCodes;  // "Restart Exit Codes"
    bool supervised = false;         // this process is a run that a supervising launcher started
    bool supervises = false;         // this process starts the runs and hosts no VM itself
};

// Takes the setting and whether this process is a supervised run; false after reporting a setting
// that cannot be used (not a list of exit codes, or a service).
bool PrepareRestart(Launcher& launcher, const WString& exitCodes);
// The supervisor's whole work: runs until a run ends with an unlisted code or the restarts reach
// their bound; that run's exit code. A restart while another start of a single-instance program
// runs hands the arguments to that one instead, as any later start does.
int32_t Supervise(Launcher& launcher);
// Right before the paired product is created: a run that waits for it makes it a supervised run
// too, whose exit code becomes the run's; the supervision stays with the first process.
void HandOnSupervision(const Launcher& launcher);

}  // namespace tarn
