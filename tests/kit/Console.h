// A console of the test's own, shared with the console programs it starts, so that a test can send
// them Ctrl+C and read their screen. (Wine starts a test with a console that carries no control events.)
#pragma once
#include <windows.h>

#include "base/Text.h"

namespace tarn::test {

// Replaces the test's console by a new, hidden one, once. Ctrl+C does not end the test itself.
void UseOwnConsole();
WStringList ConsoleScreenLines();  // each row of the screen, without trailing blanks
inline bool SendCtrlC() { return GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != FALSE; }  // to all on it

}  // namespace tarn::test
