// The class path of the "Class Path" setting: wildcard and relative entries are searched in the
// file system, absolute entries are kept as written. Every item is followed by ";".
#pragma once
#include "base/Text.h"

namespace tarn {

// Wildcard entries and relative entries are searched; others are taken as written.
bool IsSearchedEntry(const WString& entry);
// The search pattern of an entry: a relative one lies in the executable's folder (no trailing backslash).
WString SearchPatternOf(const WString& entry, const WString& exeFolder);
// Appends every match of the entry's pattern, in the order the system returns them; false when
// nothing matched. missing receives the full pattern that matched nothing.
bool ExpandClassPathEntry(const WString& entry, const WString& exeFolder, WString& classPath, WString& missing);

struct ClassPath {
    WString text;
    WString firstMissing;  // the full pattern of the first searched entry that matched nothing
};
// Splits the setting at ";", expands environment references in each piece (once: names found on
// disk are taken as they are) and assembles the class path.
ClassPath BuildClassPath(const WString& setting, const WString& exeFolder);

}  // namespace tarn
