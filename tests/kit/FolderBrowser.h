// Choosing a folder in another process's folder browser (SHBrowseForFolderW) as a user would:
// down its tree to the folder, select it, press OK.
#pragma once
#include <windows.h>

#include "base/Text.h"

namespace tarn::test {

// folder is a drive path (C:\a\b); false, with the browser left open, when the tree lacks it.
bool ChooseFolderInBrowser(HWND browser, const WString& folder);

}  // namespace tarn::test
