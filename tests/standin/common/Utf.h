// Text conversions of the stand-in: Java strings are UTF-16, files and the trace UTF-8, JNI names
// modified UTF-8 and VM options and splash arguments the ANSI code page.
#pragma once
#include <string>
#include <string_view>

namespace tarn::standin {

std::string ToUtf8(std::u16string_view text);    // the platform's: unpaired surrogates become U+FFFD
std::u16string FromUtf8(std::string_view text);  // malformed bytes become U+FFFD
// JNI's modified UTF-8: U+0000 as C0 80, each surrogate of a pair encoded on its own.
std::string ToModifiedUtf8(std::u16string_view text);
std::u16string FromModifiedUtf8(std::string_view text);
std::u16string FromAnsi(std::string_view text);
std::u16string FromWide(std::wstring_view text);
std::wstring ToWide(std::u16string_view text);

}  // namespace tarn::standin
