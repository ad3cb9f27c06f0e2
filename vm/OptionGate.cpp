#include "vm/OptionGate.h"

#include <algorithm>

namespace tarn {
namespace {

constexpr int kLargestFeature = 9999;

// Digits at 'at' as a feature number; -1 when there are none or too many.
int ReadNumber(const WString& text, size_t& at) {
    int number = -1;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
        number = (number < 0 ? 0 : number) * 10 + (text[at++] - L'0');
        if (number > kLargestFeature) return -1;
    }
    return number;
}

}  // namespace

bool OptionGate::Admits(int feature) const {
    if (feature == 0) return highest == INT_MAX;
    return feature >= lowest && feature <= highest;
}

OptionGate TakeGate(WString& word) {
    if (word.empty() || word[0] != L'[') return {};
    size_t at = 1;
    const int lowest = ReadNumber(word, at);
    int highest = -1;
    bool open = false;  // "[9+]": no upper end
    if (at < word.size() && word[at] == L'+' && lowest >= 0) {
        open = true;
        ++at;
    } else if (at < word.size() && word[at] == L'-') {
        highest = ReadNumber(word, ++at);
        if (highest < 0 || highest < lowest) return {};
    } else {
        return {};
    }
    if (at + 1 >= word.size() || word[at] != L']') return {};
    word.erase(0, at + 1);
    return {std::max(lowest, 0), open ? INT_MAX : highest};
}

OptionGate Narrowed(const OptionGate& a, const OptionGate& b) {
    return {std::max(a.lowest, b.lowest), std::min(a.highest, b.highest)};
}

int FeatureVersion(const JavaVersion& version) {
    if (version.partCount == 0) return 0;
    return version.parts[0] == 1 && version.partCount > 1 ? version.parts[1] : version.parts[0];
}

}  // namespace tarn
