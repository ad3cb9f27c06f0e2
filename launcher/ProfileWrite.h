// Writing one value into an INI file without putting the rest of the file at risk.
#pragma once
#include <cstdint>

#include "base/Text.h"

namespace tarn {

// Writes section/key = value into the INI file at path, keeping every other line. The change is
// made in a copy beside the file, checked, and then swapped in, so a failure at any point leaves
// the file as it was. A new file is created as UTF-16 text, so that any path can be stored.
// Returns 0, or the Win32 error code of the step that failed.
uint32_t WriteProfileValueSafely(const WString& path, const WString& section, const WString& key,
                                 const WString& value);

}  // namespace tarn
