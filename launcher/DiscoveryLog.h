// The discovery log: when the environment variable TARN_LAUNCHER_LOG names a file, a plain-text
// account of one start is appended to it, for a vendor's support staff. Without the variable every
// function returns at once; a log that cannot be written is skipped and never stops the launch.
#pragma once
#include "base/Registry.h"
#include "base/Text.h"
#include "jre/CandidateOrder.h"
#include "jre/MachineFit.h"

namespace tarn {

class Launcher;

enum class RuntimeSource { JrePath, BesideLauncher, Registry, JavaHome, ChosenByUser };
enum class PassedOver {
    NoLibrary,     // the folder holds no JVM library that fits "JVM Type"
    NoRuntime,     // no folder with bin\java.dll
    NoCandidate,   // no registered runtime fits
    NotRead,       // the other registry view is read only for a paired product
    NotRunnable,   // built for a machine that the system cannot run
};

void LogSettingsFile(const WString& path);  // opens the account of a start
void LogSourcePassed(RuntimeSource source, PassedOver reason, const WString& detail = {});
void LogCandidates(RegistryView view, const CandidateList& sorted);
// A JVM library of another machine than the launcher's, and who would run it.
void LogRuntimeMachine(const WString& library, uint16_t machine, uint16_t host, RuntimeFit fit);
void LogRuntimeChosen(RuntimeSource source, const Launcher& launcher);
void LogNoRuntime();
void LogVmOptions(const NarrowStringList& options);  // every option, then the class path entry by entry
void LogExitCode(int code, bool fromSystemExit = false);
void LogRestart(int exitCode);  // the supervisor's line between two runs

}  // namespace tarn
