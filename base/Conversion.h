// Conversions between UTF-16 and the calling thread's ANSI code page, and to UTF-8.
#pragma once
#include "base/Text.h"

namespace tarn {

NarrowString ToNarrow(const WString& text);
WString FromNarrow(const NarrowString& text);
// UTF-8 bytes of a text, for files and pipes that must keep every character.
NarrowString ToUtf8(const WString& text);

}  // namespace tarn
