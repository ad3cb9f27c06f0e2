// Finding and driving another process's dialogs, as a user would.
#pragma once
#include <windows.h>

#include <vector>

#include "base/Text.h"

namespace tarn::test {

// Visible top-level dialogs (#32770) of a process.
std::vector<HWND> FindDialogs(DWORD processId);
WString WindowText(HWND window);
WString ControlText(HWND dialog, int controlId);
// The text of a message box (its static 65535), line feeds kept.
WString MessageBoxText(HWND box);
void PressButton(HWND dialog, int buttonId);

}  // namespace tarn::test
