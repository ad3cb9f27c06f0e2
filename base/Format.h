// printf-style formatting of string-table texts: %s takes a text, %d a signed number, %% a percent.
// Windows-free, and safe: a format asking for more arguments than given prints nothing for them.
#pragma once
#include <initializer_list>
#include <variant>

#include "base/Text.h"

namespace tarn {

using FormatArg = std::variant<WString, long long>;

WString Format(const WString& format, std::initializer_list<FormatArg> args);
// A number in decimal digits. Written by hand: the library's conversions pull the whole printf
// family into the executable.
WString DecimalText(long long number);

}  // namespace tarn
