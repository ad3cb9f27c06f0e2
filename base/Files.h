// File-system operations shared by the launcher: search, existence, folder chains.
#pragma once
#include <windows.h>

#include <optional>

#include "base/Handles.h"
#include "base/Text.h"

namespace tarn {

// One file or folder, whatever the spelling of its name or the link it is reached by.
struct FileIdentity {
    DWORD volume = 0;  // the volume's serial number
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FileIdentity&) const = default;
};
// The identity of what the path names (relative to the current folder); nothing when it does not
// exist or cannot be asked.
std::optional<FileIdentity> IdentityOf(const WString& path);

// True when FindFirstFileW finds the path (a folder counts too).
bool PathExists(const WString& path);
// True when the path names a file, not a folder.
bool FileExists(const WString& path);
// True for an absolute path that exists, file or folder.
bool FolderExists(const WString& path);
// Creates the folders leading to the path's last component; a Win32 error code, 0 for success.
DWORD CreateFolderTree(const WString& path);
// Removes an empty folder; true when RemoveDirectoryW returned 1.
bool RemoveFolder(const WString& path);
// The full, normalised form of a path (relative to the current folder); a \\?\ path as it is;
// empty on failure.
WString FullPathName(const WString& path);
// The executable's full path, whatever its length; empty, with the last error set, on failure.
WString ModulePath();
// Adds a folder to the process's DLL search folders (for LOAD_LIBRARY_SEARCH_DEFAULT_DIRS); never removed.
void AddDllSearchFolder(const WString& folder);

}  // namespace tarn
