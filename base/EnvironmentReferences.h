// %NAME% references expanded by our own rule, with no length limit. Windows-free.
#pragma once
#include <functional>

#include "base/Text.h"

namespace tarn {

// Looks a variable up: false when it is not set (an empty value is set).
using VariableLookup = std::function<bool(const WString& name, WString& value)>;
// Replaces every %NAME% of a set variable by its value, as the system's expansion does; a reference
// to an unset variable stays as written and a lone '%' is kept.
WString ExpandReferences(const WString& text, const VariableLookup& lookup);

}  // namespace tarn
