// Texts of the executable's string table, by identifier.
#pragma once
#include "base/Text.h"

namespace tarn {

// The text of a string-table entry; false (and target untouched) when it is absent or empty.
bool StringTableLookup(unsigned id, WString& target);
// The text, or an empty text when the entry is absent.
WString LoadText(unsigned id);

}  // namespace tarn
