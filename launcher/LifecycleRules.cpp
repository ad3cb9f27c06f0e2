#include "launcher/LifecycleRules.h"

#include <algorithm>

namespace tarn {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// One entry without its surrounding blanks: an optional '-', then digits, within 32 bits.
bool ParseCode(const WString& text, size_t from, size_t to, std::vector<int32_t>& codes) {
    while (from < to && IsBlank(text[from])) ++from;
    while (to > from && IsBlank(text[to - 1])) --to;
    if (from == to) return true;
    const bool negative = text[from] == L'-';
    if (negative) ++from;
    if (from == to) return false;
    int64_t value = 0;
    for (size_t at = from; at < to; ++at) {
        if (text[at] < L'0' || text[at] > L'9') return false;
        value = value * 10 + (text[at] - L'0');
        if (value > int64_t{INT32_MAX} + 1) return false;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return false;
    codes.push_back(static_cast<int32_t>(value));
    return true;
}

}  // namespace

bool ParseExitCodes(const WString& text, std::vector<int32_t>& codes) {
    codes.clear();
    size_t from = 0;
    for (size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != L';' && text[at] != L',') continue;
        if (!ParseCode(text, from, at, codes)) {
            codes.clear();
            return false;
        }
        from = at + 1;
    }
    return true;
}

// Within any window there are at most `most` restarts exactly when the one `most` restarts back has
// left the window (a restart counted windowMs ago or earlier).
bool RestartBudget::Allow(uint64_t now) {
    if (most_ == 0) return false;
    uint64_t& oldest = last_[counted_ % most_];
    if (counted_ >= most_ && now - oldest < windowMs_) return false;
    oldest = now;
    ++counted_;
    return true;
}

PriorityLevel PriorityLevelOf(const WString& text) {
    static const struct {
        const wchar_t* name;
        PriorityLevel level;
    } kLevels[] = {{L"idle", PriorityLevel::Idle},       {L"below normal", PriorityLevel::BelowNormal},
                   {L"normal", PriorityLevel::Normal},   {L"above normal", PriorityLevel::AboveNormal},
                   {L"high", PriorityLevel::High},       {L"realtime", PriorityLevel::Realtime}};
    for (const auto& level : kLevels) {
        if (EqualsNoCase(text, level.name)) return level.level;
    }
    return PriorityLevel::Unknown;
}

bool IsAppUserModelId(const WString& text) {
    return !text.empty() && text.size() <= 128 &&
           std::none_of(text.begin(), text.end(), [](wchar_t c) { return c <= L' '; });
}

}  // namespace tarn
