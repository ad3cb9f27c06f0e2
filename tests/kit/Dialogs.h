// Finding and driving another process's dialogs, as a user would.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "base/Text.h"

namespace tarn::test {

// Visible top-level dialogs (#32770), or windows of another class, of a process.
std::vector<HWND> FindDialogs(DWORD processId, const wchar_t* windowClass = L"#32770");
WString WindowText(HWND window);
WString ControlText(HWND dialog, int controlId);
void PressButton(HWND dialog, int buttonId);
// Polls until condition holds or the time runs out; the condition's last result.
bool AwaitCondition(const std::function<bool()>& condition, DWORD timeoutMs = 15000);
// The first visible dialog of the process with this title; null when none appears in time.
HWND AwaitDialog(DWORD processId, const WString& title, DWORD timeoutMs = 15000);

}  // namespace tarn::test
