// File-system operations shared by the launcher: search, existence, folder chains.
#pragma once
#include <windows.h>

#include "base/Handles.h"
#include "base/Text.h"

namespace tarn {

// True when FindFirstFileW finds the path (a folder counts too).
bool PathExists(const WString& path);
// True for an absolute path that exists, file or folder.
bool FolderExists(const WString& path);
// Creates the folders leading to the path's last component; a Win32 error code, 0 for success.
DWORD CreateFolderTree(const WString& path);
// Removes an empty folder; true when RemoveDirectoryW returned 1.
bool RemoveFolder(const WString& path);
// The executable's full path, whatever its length; empty, with the last error set, on failure.
WString ModulePath();

}  // namespace tarn
