// The one path by which the launcher tells the user what went wrong. The entry point chooses how
// (a box, text on standard error for a console, the event log for a service); the features only report.
#pragma once
#include <windows.h>

#include <atomic>

#include "base/Format.h"
#include "base/Text.h"

namespace tarn {

// Whom the launcher tells what goes wrong: a desktop user, through message boxes and dialogs; a
// console, through text on standard error; or, for a service, the administrator through the
// Windows event log.
enum class UserInterface { Windows, Console, EventLog };

struct Reporter {
    UserInterface userInterface = UserInterface::Windows;
    // The splash window while it shows, the owner of every box. Written by the splash thread, read by
    // whichever thread shows a box.
    std::atomic<HWND> owner = nullptr;
    WString eventSource;  // the event log's source name, for UserInterface::EventLog

    // Boxes, dialogs and the splash may be shown.
    bool ShowsWindows() const { return userInterface == UserInterface::Windows; }
};

// A process in session 0, or on a window station that is not shown (a service that did not take the
// service's path: its settings unreadable, or not saying "service"), has nobody to click a box or a
// dialog: they would wait for ever.
bool WindowsCanBeSeen();

// An error box with the system's default title; for a console the same text as lines on standard
// error; for a service an error event (the source named, else the executable's file name). Texts
// come from the string table. Every message also goes to the discovery log.
// The only place that makes that choice.
int ShowErrorBox(const Reporter& reporter, const WString& text);
int ShowErrorBox(const Reporter& reporter, unsigned textId);
// Loads the format, fills it and shows it. An argument given as a text id must be loaded by the caller.
void ShowFormattedError(const Reporter& reporter, unsigned formatId, std::initializer_list<FormatArg> args);
// Format 202 with a description from the string table and the thread's last error,
// read right after the texts are loaded.
void ShowWindowsError(const Reporter& reporter, unsigned descriptionId);
// A format taking a detail text and the thread's last error (222: the library path).
void ShowWindowsErrorWithDetail(const Reporter& reporter, unsigned formatId, const WString& detail);
// A format taking a detail, the system's text for a Win32 error code and the code (250: a file).
void ShowSystemError(const Reporter& reporter, unsigned formatId, const WString& detail, DWORD error);
// The system's sentence for a Win32 error code, without its final period and line end.
WString SystemErrorText(DWORD error);
// Format 203 with text 213 and the reason text of a JNI result (empty for unlisted codes).
void ShowCreateVmError(const Reporter& reporter, long jniResult);
// The reason text id of a JNI error code (-1 to -6), 0 for any other code.
unsigned JniReasonTextId(long jniResult);

}  // namespace tarn
