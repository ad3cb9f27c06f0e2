// Environment variables and %NAME% expansion.
#pragma once
#include "base/Text.h"

namespace tarn {

// Every %NAME% reference expanded; an undefined one stays as written. Empty when expansion fails.
WString ExpandEnvironment(const WString& text);
// In place: the text stays unchanged when expansion fails.
void ExpandEnvironmentInPlace(WString& text);
// The variable's value, empty when unset.
WString GetEnvironment(const WString& name);

}  // namespace tarn
