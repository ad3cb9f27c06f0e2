// A console of the test's own, shared with the console programs it starts, so that a test can send
// them Ctrl+C and read their screen. (Wine starts a test with a console that carries no control events.)
#pragma once
#include <windows.h>

#include "base/Text.h"

namespace tarn::test {

void UseOwnConsole();        // a new, hidden console, once; Ctrl+C does not end the test itself
WString ConsoleScreenText();  // every cell of the screen, row after row
inline bool SendCtrlC() { return GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != FALSE; }  // to all on it

}  // namespace tarn::test
