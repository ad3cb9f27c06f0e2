// Text for a person on standard error: a console gets UTF-16 as it stands (every character shows in
// the console's font); a file or pipe gets UTF-8, which keeps every character.
#pragma once
#include "base/Text.h"

namespace tarn {

// Lines end in CR LF, as the runtime writes them; a text always ends with one line end.
void WriteStandardError(const WString& text);

}  // namespace tarn
