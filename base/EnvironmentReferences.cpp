#include "base/EnvironmentReferences.h"

namespace tarn {

WString ExpandReferences(const WString& text, const VariableLookup& lookup) {
    WString result;
    result.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find(L'%', at);
        const size_t close = open == WString::npos ? WString::npos : text.find(L'%', open + 1);
        if (close == WString::npos) {
            result.append(text, at, WString::npos);
            break;
        }
        result.append(text, at, open - at);
        WString value;
        const WString name = text.substr(open + 1, close - open - 1);
        if (!name.empty() && lookup(name, value)) {
            result += value;
        } else {
            result.append(text, open, close - open + 1);
        }
        at = close + 1;
    }
    return result;
}

}  // namespace tarn
