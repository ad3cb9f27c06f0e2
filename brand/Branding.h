// Writes a branded copy of a released Tarn launcher: icon, version block, execution level and
// built-in base settings, through the platform's resource update functions. The input is only
// read; the output is written under a temporary name and renamed when complete.
#pragma once
#include "brand/BrandOptions.h"

namespace tarn::brand {

// false with a sentence in error when anything is wrong; nothing is left at the output path then.
bool WriteBrandedCopy(const BrandOptions& options, WString& error);

}  // namespace tarn::brand
