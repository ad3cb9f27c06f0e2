// Environment variables and %NAME% expansion.
#pragma once
#include "base/Text.h"

namespace tarn {

// Every %NAME% reference expanded; an undefined one stays as written. No length limit.
WString ExpandEnvironment(const WString& text);
// The variable's value, empty when unset.
WString GetEnvironment(const WString& name);

}  // namespace tarn
