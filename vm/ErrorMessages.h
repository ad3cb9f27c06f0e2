// The one path by which the launcher tells the user what went wrong.
#pragma once
#include <windows.h>

#include "base/Format.h"
#include "base/Text.h"

namespace tarn {

// True unless the current launcher runs for a console: boxes, dialogs and the splash may be shown.
bool ShowsWindows();

// An error box with the system's default title, or for a console the same text as lines on
// standard error; texts come from the string table. The only place that makes that choice.
int ShowErrorBox(HWND owner, const WString& text);
int ShowErrorBox(HWND owner, unsigned textId);
// Loads the format, fills it and shows it. An argument given as a text id must be loaded by the caller.
void ShowFormattedError(HWND owner, unsigned formatId, std::initializer_list<FormatArg> args);
// Format 202 with a description from the string table and the thread's last error,
// read right after the texts are loaded.
void ShowWindowsError(HWND owner, unsigned descriptionId);
// A format taking a detail text and the thread's last error (222: the library path).
void ShowWindowsErrorWithDetail(HWND owner, unsigned formatId, const WString& detail);
// A format taking a detail, the system's text for a Win32 error code and the code (250: a file).
void ShowSystemError(HWND owner, unsigned formatId, const WString& detail, DWORD error);
// The system's sentence for a Win32 error code, without its final period and line end.
WString SystemErrorText(DWORD error);
// Format 203 with text 213 and the reason text of a JNI result (empty for unlisted codes).
void ShowCreateVmError(HWND owner, long jniResult);
// The reason text id of a JNI error code (-1 to -6), 0 for any other code.
unsigned JniReasonTextId(long jniResult);

}  // namespace tarn
