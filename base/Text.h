// Text types and a few helpers.
// Windows-free: usable and testable anywhere.
#pragma once
#include <string>
#include <vector>

namespace tarn {

using WString = std::wstring;          // UTF-16 inside the launcher
using NarrowString = std::string;      // 8-bit text at the JNI and splash-library borders
using WStringList = std::vector<WString>;
using NarrowStringList = std::vector<NarrowString>;

// Index of the last occurrence, -1 when there is none.
int ReverseFind(const WString& text, wchar_t ch);
// Replaces every occurrence and returns how many there were.
int ReplaceAll(WString& text, wchar_t from, wchar_t to);
// Index of the first element equal to value (exact comparison), -1 when none.
int FindInList(const WStringList& list, const WString& value);
bool EqualsNoCase(const WString& a, const WString& b);  // ASCII letters only, as settings flags need
bool StartsWith(const WString& text, const WString& prefix);
// The text with Windows line ends (CR LF for each lone LF) and without line ends at its end.
WString WindowsLines(const WString& text);

}  // namespace tarn
