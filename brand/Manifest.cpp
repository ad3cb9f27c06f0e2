#include "brand/Manifest.h"

namespace tarn::brand {

bool IsExecutionLevel(const WString& level) {
    return level == L"asInvoker" || level == L"highestAvailable" || level == L"requireAdministrator";
}

std::optional<std::string> WithExecutionLevel(const std::string& manifest, const std::string& level) {
    const size_t element = manifest.find("<requestedExecutionLevel");
    if (element == std::string::npos) return std::nullopt;
    const size_t end = manifest.find('>', element);
    const size_t attribute = manifest.find(" level=\"", element);
    if (attribute == std::string::npos || attribute > end) return std::nullopt;
    const size_t valueStart = attribute + 8;
    const size_t valueEnd = manifest.find('"', valueStart);
    if (valueEnd == std::string::npos || valueEnd > end) return std::nullopt;
    return manifest.substr(0, valueStart) + level + manifest.substr(valueEnd);
}

}  // namespace tarn::brand
