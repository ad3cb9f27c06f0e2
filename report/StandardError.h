// Text for a person on standard output or error: a console gets UTF-16 as it stands (every
// character shows in the console's font); a file or pipe gets UTF-8, which keeps every character.
#pragma once
#include "base/Text.h"

namespace tarn {

enum class StandardHandle { Output, Error };

// Lines end in CR LF, as the runtime writes them; a text always ends with one line end.
void WriteStandardText(StandardHandle which, const WString& text);
inline void WriteStandardError(const WString& text) { WriteStandardText(StandardHandle::Error, text); }

}  // namespace tarn
