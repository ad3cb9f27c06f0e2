// Path text rules: pure string work on paths, no file-system access. Windows takes '/' as a separator
// as well as '\\', and vendors write both, so every rule here splits at either.
#pragma once
#include "base/Text.h"

namespace tarn {

bool IsPathSeparator(wchar_t ch);
// The path without its last n components; a path without separator stays as it is.
WString StripPathComponents(const WString& path, int count);
// The root (drive, or \\server of a UNC path, with any \\?\ prefix) first, then each component.
WStringList SplitFolderPath(const WString& path);
// Absolute means a drive path (second character ':') or a path starting with two separators.
bool IsAbsolutePath(const WString& path);
bool IsUncPath(const WString& path);
// A full path or search pattern of 260 units or more gets the \\?\ (or \\?\UNC\) prefix (the long-path
// form, which the system takes literally); empty when too long for any.
WString LongPathPattern(const WString& pattern);
// The folder part: text before the last separator, or the path itself when it ends with one.
WString FolderOfPath(const WString& path);
// The text after the last separator (the whole text when there is none).
WString FileNameOf(const WString& path);
// Appends a backslash unless the text already ends with a separator.
WString WithTrailingBackslash(const WString& folder);

}  // namespace tarn
