#include "base/PathText.h"

namespace tarn {

static const WString kLongPrefix = L"\\\\?\\";
static const WString kLongUncPrefix = L"\\\\?\\UNC\\";
static const wchar_t kSeparators[] = L"\\/";

bool IsPathSeparator(wchar_t ch) { return ch == L'\\' || ch == L'/'; }

// Index of the last separator, -1 when there is none.
static int LastSeparator(const WString& path) {
    const size_t at = path.find_last_of(kSeparators);
    return at == WString::npos ? -1 : static_cast<int>(at);
}

WString StripPathComponents(const WString& path, int count) {
    WString result = path;
    for (int i = 0; i < count; ++i) {
        const int last = LastSeparator(result);
        if (last < 0) break;
        result.resize(last);
    }
    return result;
}

WStringList SplitFolderPath(const WString& path) {
    WString prefix;
    WString rest = path;
    if (StartsWith(rest, kLongUncPrefix)) {
        prefix = kLongUncPrefix;
        rest = rest.substr(kLongUncPrefix.size());
    } else if (StartsWith(rest, kLongPrefix)) {
        prefix = kLongPrefix;
        rest = rest.substr(kLongPrefix.size());
    }
    const size_t searchFrom = IsUncPath(rest) ? 2 : 0;
    const size_t rootEnd = rest.find_first_of(kSeparators, searchFrom);
    WStringList parts;
    const WString root = rest.substr(0, rootEnd);
    if (!prefix.empty() || !root.empty()) parts.push_back(prefix + root);
    if (rootEnd == WString::npos) return parts;
    size_t start = rootEnd + 1;
    while (start < rest.size()) {
        const size_t end = rest.find_first_of(kSeparators, start);
        parts.push_back(rest.substr(start, end == WString::npos ? WString::npos : end - start));
        if (end == WString::npos) break;
        start = end + 1;
    }
    return parts;
}

bool IsAbsolutePath(const WString& path) {
    return path.size() >= 2 && (path[1] == L':' || (IsPathSeparator(path[0]) && IsPathSeparator(path[1])));
}

bool IsUncPath(const WString& path) {
    return path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) && !StartsWith(path, kLongPrefix);
}

WString LongPathPattern(const WString& pattern) {
    if (pattern.size() >= 32767) return {};
    if (pattern.size() <= 259) return pattern;
    if (IsUncPath(pattern)) return kLongUncPrefix + pattern.substr(2);
    if (StartsWith(pattern, kLongPrefix)) return pattern;
    return kLongPrefix + pattern;
}

WString FolderOfPath(const WString& path) {
    const int last = LastSeparator(path);
    if (last < 0) return {};
    if (last == static_cast<int>(path.size()) - 1) return path;
    return path.substr(0, last);
}

WString FileNameOf(const WString& path) { return path.substr(LastSeparator(path) + 1); }

WString WithTrailingBackslash(const WString& folder) {
    if (!folder.empty() && IsPathSeparator(folder.back())) return folder;
    return folder + L'\\';
}

}  // namespace tarn
