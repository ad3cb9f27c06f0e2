// Conversions between UTF-16 and the calling thread's ANSI code page.
#pragma once
#include "base/Text.h"

namespace tarn {

NarrowString ToNarrow(const WString& text);
WString FromNarrow(const NarrowString& text);

}  // namespace tarn
