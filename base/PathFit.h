// Paths in 8-bit VM options: a runtime decodes them with the ANSI code page, so a path whose name
// that code page cannot hold is passed in its short (8.3) form. Windows-free: the file system and
// the code page are asked through PathQueries.
#pragma once
#include <functional>

#include "base/Text.h"

namespace tarn {

struct PathQueries {
    std::function<bool(const WString&)> fits;          // the text survives the code page unchanged
    std::function<bool(const WString&)> exists;        // a file or folder of that name exists
    std::function<WString(const WString&)> shortForm;  // the short form of an existing path; empty when none
};

// existing: the longest prefix that exists, ending at a separator boundary (a drive root keeps its
// backslash); rest: what follows it, without the separator. Both empty parts are possible.
struct PathSplit {
    WString existing;
    WString rest;
};
PathSplit SplitAtExisting(const WString& path, const std::function<bool(const WString&)>& exists);

// The path itself when it fits; otherwise its existing prefix in short form followed by the rest;
// empty when no form fits.
WString RepresentablePath(const WString& path, const PathQueries& queries);

// Each piece of a ";"-separated list made representable; false with the first piece that has no
// representable form in failed. dropMissing leaves out such a piece instead when it does not exist.
bool RepresentablePathList(const WString& list, const PathQueries& queries, bool dropMissing, WString& result,
                           WString& failed);

}  // namespace tarn
