#include "vm/ClassPath.h"

#include <windows.h>

#include "base/Environment.h"
#include "base/Files.h"
#include "base/Handles.h"
#include "base/PathText.h"
#include "launcher/SettingsStore.h"

namespace tarn {

bool IsSearchedEntry(const WString& entry) {
    return entry.find(L'*') != WString::npos || !IsAbsolutePath(entry);
}

WString SearchPatternOf(const WString& entry, const WString& exeFolder) {
    return IsAbsolutePath(entry) ? entry : exeFolder + L"\\" + entry;
}

bool ExpandClassPathEntry(const WString& entry, const WString& exeFolder, WString& classPath, WString& missing) {
    // Resolved before any long-path prefix, which would turn off the system's own resolving.
    const WString written = SearchPatternOf(entry, exeFolder);
    const WString pattern = FullPathName(written);
    missing = pattern.empty() ? written : pattern;
    const WString searched = LongPathPattern(pattern);
    if (searched.empty()) return false;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(searched.c_str(), &found));
    if (!search) return false;
    const WString folder = FolderOfPath(pattern);
    bool matched = false;
    do {
        // "." and ".." would put the folder itself and its parent on the class path.
        const WString name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        classPath.append(folder).append(1, L'\\').append(name).append(1, L';');
        matched = true;
    } while (FindNextFileW(search.get(), &found));
    if (matched) missing.clear();
    return matched;
}

ClassPath BuildClassPath(const WString& setting, const WString& exeFolder) {
    ClassPath result;
    for (WString piece : SplitList(setting, L";")) {
        piece = ExpandEnvironment(piece);
        // An empty piece names nothing: it is neither searched nor reported.
        if (piece.empty()) continue;
        WString missing;
        if (!IsSearchedEntry(piece)) {
            result.text.append(piece).append(1, L';');
        } else if (!ExpandClassPathEntry(piece, exeFolder, result.text, missing) && result.firstMissing.empty()) {
            result.firstMissing = missing;
        }
    }
    return result;
}

}  // namespace tarn
