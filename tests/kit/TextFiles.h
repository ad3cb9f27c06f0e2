// Reading and writing test files.
#pragma once
#include <string>

#include "base/Text.h"

namespace tarn::test {

// INI files are written as UTF-16 with a byte-order mark, which the profile functions read.
std::string Utf16Bytes(const WString& text);  // the bytes of such a file
void WriteUtf16File(const WString& path, const WString& text);
void WriteBytes(const WString& path, const std::string& bytes);
std::string ReadBytes(const WString& path);
std::string ToUtf8(const WString& text);
WString FromUtf8(const std::string& text);
bool FileExists(const WString& path);
void CopyTo(const WString& from, const WString& to);  // creates the folders leading to 'to'

}  // namespace tarn::test
