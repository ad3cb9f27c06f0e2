// The execution level that an executable's manifest asks Windows for.
#pragma once
#include <optional>
#include <string>

#include "base/Text.h"

namespace tarn::brand {

// "asInvoker", "highestAvailable" and "requireAdministrator", exactly as the manifest spells them.
bool IsExecutionLevel(const WString& level);
// The manifest text with the level of its requestedExecutionLevel element replaced; nothing when
// the text has no such element with a quoted level.
std::optional<std::string> WithExecutionLevel(const std::string& manifest, const std::string& level);

}  // namespace tarn::brand
