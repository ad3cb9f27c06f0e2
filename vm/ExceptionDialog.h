// The "Java Exception" report of an exception that escaped main.
#pragma once
#include <jni.h>

namespace tarn {

// Shows the exception's stack trace in the resizable dialog 231 and asks whether to go on.
// True when the application is to stop (Stop, Escape, the close box, or a dialog that could not
// be shown); false for Ignore, and when no stack trace could be obtained (no dialog then).
// Call it with no exception pending; it leaves none.
bool ShowExceptionDialog(jthrowable exception, JNIEnv* env);

}  // namespace tarn
