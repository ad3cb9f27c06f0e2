// The VM options that come from words: "Virtual Machine Parameters" and JDK_JAVA_OPTIONS, with
// their argument files and version gates, as the runtime receives them through JNI.
#pragma once
#include "launcher/Launcher.h"
#include "vm/JavaLaunch.h"

namespace tarn {

// JDK_JAVA_OPTIONS, for a runtime of version 9 or later (or of unknown version), as java reads it,
// with java's notice on standard error (console launcher) and in the discovery log. False after a message.
bool AppendEnvironmentOptions(Launcher& launcher, RuntimeVersion& runtime);
// The words of "Virtual Machine Parameters": Tarn's own quoting, memory shares and environment
// references, then argument files (relative to exeFolder), folding and gates. False after a message.
bool AppendVmParameters(Launcher& launcher, const WString& text, const WString& exeFolder, RuntimeVersion& runtime,
                        WStringList& javaWords);

}  // namespace tarn
