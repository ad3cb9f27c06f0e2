#include "base/PathFit.h"

#include <algorithm>

#include "base/PathText.h"

namespace tarn {

PathSplit SplitAtExisting(const WString& path, const std::function<bool(const WString&)>& exists) {
    for (size_t end = path.size(); end > 0;) {
        if (exists(path.substr(0, end))) return {path.substr(0, end), path.substr(std::min(end + 1, path.size()))};
        size_t separator = end - 1;
        while (separator > 0 && !IsPathSeparator(path[separator])) --separator;
        if (separator == 0 && !IsPathSeparator(path[0])) break;
        // A root keeps its separator: "C:" alone would name the drive's current folder, and the
        // two separators that open a UNC path are no folder at all.
        if (separator == 0 || path[separator - 1] == L':') {
            if (exists(path.substr(0, separator + 1))) return {path.substr(0, separator + 1), path.substr(separator + 1)};
            break;
        }
        if (separator == 1) break;
        end = separator;
    }
    return {WString(), path};
}

WString RepresentablePath(const WString& path, const PathQueries& queries) {
    if (queries.fits(path)) return path;
    const PathSplit split = SplitAtExisting(path, queries.exists);
    if (split.existing.empty()) return {};
    const WString shortened = queries.shortForm(split.existing);
    if (shortened.empty()) return {};
    const WString candidate = split.rest.empty() ? shortened : WithTrailingBackslash(shortened) + split.rest;
    return queries.fits(candidate) ? candidate : WString();
}

bool RepresentablePathList(const WString& list, const PathQueries& queries, bool dropMissing, WString& result,
                           WString& failed) {
    result.clear();
    for (size_t at = 0; at <= list.size();) {
        const size_t end = std::min(list.find(L';', at), list.size());
        const WString piece = list.substr(at, end - at);
        const WString fitting = piece.empty() ? piece : RepresentablePath(piece, queries);
        at = end + 1;
        if (fitting.empty() && !piece.empty()) {
            if (dropMissing && !queries.exists(piece)) continue;
            failed = piece;
            return false;
        }
        result.append(fitting).append(end < list.size() ? L";" : L"");
    }
    return true;
}

}  // namespace tarn
