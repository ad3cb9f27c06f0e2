#include "base/Files.h"

#include "base/PathText.h"

namespace tarn {

bool PathExists(const WString& path) {
    WIN32_FIND_DATAW data;
    FindHandle search(FindFirstFileW(path.c_str(), &data));
    return static_cast<bool>(search);
}

bool FolderExists(const WString& path) { return IsAbsolutePath(path) && PathExists(path); }

bool RemoveFolder(const WString& path) {
    WString target = path;
    if (target.size() >= 260 && !StartsWith(target, L"\\\\?\\")) target = L"\\\\?\\" + target;
    return RemoveDirectoryW(target.c_str()) == 1;
}

DWORD CreateFolderTree(const WString& path) {
    if (FolderExists(path)) return 0;
    const bool unc = IsUncPath(path) || StartsWith(path, L"\\\\?\\UNC\\");
    const WStringList parts = SplitFolderPath(path);
    if (parts.empty()) return 0;
    WString current = parts.front();
    DWORD remembered = 0;
    for (size_t i = 1; i + 1 < parts.size(); ++i) {
        const WString next = current + L'\\' + parts[i];
        if (!CreateDirectoryW(next.c_str(), nullptr)) {
            const DWORD error = GetLastError();
            if (error != ERROR_ALREADY_EXISTS && !unc) {
                if (i > 1) RemoveFolder(current);
                return error;
            }
            remembered = error;
        }
        current = next;
    }
    return remembered == ERROR_ALREADY_EXISTS ? 0 : remembered;
}


WString ModulePath() {
    // A path that fills the buffer was cut: read again into a larger one.
    for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
        WString path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return {};
}

}  // namespace tarn
