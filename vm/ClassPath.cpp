#include "vm/ClassPath.h"

#include <windows.h>

#include "base/Environment.h"
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

void ExpandClassPathEntry(const WString& entry, const WString& exeFolder, WString& classPath) {
    const WString pattern = SearchPatternOf(entry, exeFolder);
    const WString folder = FolderOfPath(pattern);
    const WString searched = LongPathPattern(pattern);
    if (searched.empty()) return;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(searched.c_str(), &found));
    if (!search) return;
    do {
        classPath.append(folder).append(1, L'\\').append(found.cFileName).append(1, L';');
    } while (FindNextFileW(search.get(), &found));
}

WString BuildClassPath(const WString& setting, const WString& exeFolder) {
    WString classPath;
    for (WString piece : SplitList(setting, L";")) {
        piece = ExpandEnvironment(piece);
        if (IsSearchedEntry(piece)) {
            ExpandClassPathEntry(piece, exeFolder, classPath);
        } else {
            classPath.append(piece).append(1, L';');
        }
    }
    return classPath;
}

}  // namespace tarn
