// Running a program as a user would, with a time limit and an eye on its dialogs.
#pragma once
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "base/Text.h"

namespace tarn::test {

struct SeenDialog {
    HWND window;
    WString title;
    WString text;  // the message text of a message box (its static 65535), line feeds kept
};

struct RunOptions {
    WString workingFolder;                                  // the test's current folder when empty
    DWORD timeoutMs = 60000;
    std::vector<std::pair<WString, WString>> environment;  // set (or, with an empty value, removed) for the child
    // Called for each new dialog; returns true when it answered it. Unanswered dialogs get OK pressed.
    std::function<bool(const SeenDialog&)> onDialog;
    WString outputFile;  // when given, receives the child's standard output and error
    WString errorFile;   // when given, receives its standard error instead ("CONOUT$": the console)
    WString inputFile;   // when given, its standard input
    bool noStandardHandles = false;  // none at all, as a program started from the Explorer has
};

struct RunResult {
    bool finished = false;  // false: the time ran out and the process was killed
    DWORD exitCode = 0;
    std::vector<SeenDialog> dialogs;  // every dialog seen, in order
    int ExitCode() const { return static_cast<int>(exitCode); }
};

// An onDialog answer for starts without a runtime: presses Cancel in "JRE Not Found" (the start
// then ends with -1) and tells whether the dialog was that one.
bool DeclineJreNotFound(const SeenDialog& seen);

// A console of the test's own (new, hidden, once), shared with the console programs it starts so that
// the test can read their screen and send them Ctrl+C; Ctrl+C does not end the test itself. (Wine
// starts a test with a console that carries no control events.)
void UseOwnConsole();
WString ConsoleScreenText();  // every cell of the screen, row after row
inline bool SendCtrlC() { return GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != FALSE; }  // to all on it

// A started process that is killed if the test leaves it running.
class ChildProcess {
public:
    ChildProcess(const WString& program, const WString& arguments, const RunOptions& options = {});
    // A process another one started (the SCM), held from now on; not Started() when it is gone, or
    // when the id already names another program (Wine hands an ended process's id on at once).
    ChildProcess(DWORD processId, const WString& program);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD StartError() const { return startError_; }  // CreateProcessW's error when it failed
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    // Waits, answering dialogs, until the process ends or the time runs out (then kills it).
    RunResult Wait(const RunOptions& options);

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    DWORD startError_ = 0;
};

}  // namespace tarn::test
