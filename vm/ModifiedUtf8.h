// Decoding of the JNI's modified UTF-8 (GetStringUTFChars) into UTF-16. Windows-free.
#pragma once
#include "base/Text.h"

namespace tarn {

// NUL arrives as the two bytes C0 80 and supplementary characters as two encoded surrogates;
// a four-byte sequence of standard UTF-8 is accepted too. Malformed bytes become U+FFFD.
// A null text gives an empty result.
WString FromModifiedUtf8(const char* text);

}  // namespace tarn
