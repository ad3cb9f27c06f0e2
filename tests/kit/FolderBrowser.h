// Choosing a folder in another process's folder browser (SHBrowseForFolderW), as a user would:
// walking its tree down to the folder, selecting it and pressing OK.
#pragma once
#include <windows.h>

#include "base/Text.h"

namespace tarn::test {

// folder is a drive path (C:\a\b). False when the tree holds no such item; the browser then stays open.
bool ChooseFolderInBrowser(HWND browser, const WString& folder);

}  // namespace tarn::test
