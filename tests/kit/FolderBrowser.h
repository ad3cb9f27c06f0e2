// Choosing a folder in another process's folder browser (SHBrowseForFolderW) as a user would: the
// folder selected in its tree, then OK.
#pragma once
#include <windows.h>

#include "base/Text.h"

namespace tarn::test {

void ChooseFolderInBrowser(HWND browser, const WString& folder);  // a drive path (C:\a\b)

}  // namespace tarn::test
