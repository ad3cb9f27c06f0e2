// Sending the Java program's System.out and System.err to the files the settings name.
#pragma once
#include <windows.h>

#include <jni.h>

#include "base/Text.h"
#include "launcher/Launcher.h"

namespace tarn {

enum class StandardStream { Output, Error };

// Expands the date and time pattern between the first and last "%" of the name for this moment:
// L is the milliseconds, then the time pictures, then the date pictures of the user's locale.
void ExpandDateTimePattern(WString& name, const SYSTEMTIME& timestamp);

// Creates the folders leading to the file, opens it inside the VM and installs it as System.out
// or System.err. False on failure, with the VM's exception, if any, still pending.
bool RedirectStandardStream(JNIEnv* env, const WString& name, bool append, StandardStream which);

// Run once the VM exists and before the main class loads: both names get the same moment, output
// is installed before error, and a failure is printed to the VM's standard error and passed over.
// A name of the product's own program or settings files is refused in the same way.
void RedirectStandardStreams(Launcher& launcher);

}  // namespace tarn
