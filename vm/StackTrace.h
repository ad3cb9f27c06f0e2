// The printed stack trace of a Java exception, as text for the launcher's own report.
#pragma once
#include <jni.h>

#include "base/Text.h"

namespace tarn {

// What printStackTrace writes for the exception, read back from a buffer in the VM; empty when the
// buffer cannot be made or read. Exceptions raised on the way are printed to the VM's standard
// error and cleared, and the part written so far is kept. Call it with no exception pending.
WString StackTraceText(jthrowable exception, JNIEnv* env);

}  // namespace tarn
