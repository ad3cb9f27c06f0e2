#include "vm/OptionText.h"

#include <limits>

#include "base/Format.h"

namespace tarn {
namespace {

constexpr uint64_t kMaxKilobytes = std::numeric_limits<uint32_t>::max();

// Index of ch at or after from; -1 when there is none or from lies outside the text.
int FindFrom(const WString& text, wchar_t ch, int from) {
    if (from < 0 || from >= static_cast<int>(text.size())) return -1;
    const size_t at = text.find(ch, from);
    return at == WString::npos ? -1 : static_cast<int>(at);
}

int LastIndex(const WString& text) { return static_cast<int>(text.size()) - 1; }

bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

// n * 10 + digit; a number that leaves 64 bits stays unreadable instead of wrapping.
uint64_t AppendDigit(uint64_t number, wchar_t digit) {
    const uint64_t value = static_cast<uint64_t>(digit - L'0');
    if (number == kUnreadableNumber || number > (kUnreadableNumber - 1 - value) / 10) return kUnreadableNumber;
    return number * 10 + value;
}

bool StartsWithSizeOption(const WString& token) {
    const WString head = token.substr(0, 4);
    return head == L"-Xms" || head == L"-Xmx" || head == L"-Xss";
}

}  // namespace

int NextParameterEnd(const WString& text, int start) {
    const int length = static_cast<int>(text.size());
    int space = FindFrom(text, L' ', start);
    int quote = FindFrom(text, L'"', start);
    if (quote == -1) return space == -1 ? length : space;
    do {
        if (space == -1) return length;
        if (space < quote) return space;
        if (quote == LastIndex(text)) return space;
        int close = FindFrom(text, L'"', quote + 1);
        if (close == -1) return space;
        if (close != LastIndex(text) && text[close + 1] == L'"') ++close;
        quote = FindFrom(text, L'"', close + 1);
        space = FindFrom(text, L' ', close + 1);
    } while (quote != -1);
    return space == -1 ? length : space;
}

WStringList SplitVmParameters(const WString& text) {
    WStringList tokens;
    const int length = static_cast<int>(text.size());
    int at = 0;
    while (at < length) {
        const int end = NextParameterEnd(text, at);
        // Only a leading blank gives a zero-length token; the VM would reject it as an option.
        if (end > at) tokens.push_back(text.substr(at, end - at));
        if (end >= length) break;
        at = end;
        while (at < length && text[at] == L' ') ++at;
    }
    return tokens;
}

void RemoveQuotes(WString& token) {
    int open = FindFrom(token, L'"', 0);
    while (open != -1) {
        if (open == LastIndex(token)) return;
        int close = FindFrom(token, L'"', open + 1);
        if (close == -1) return;
        if (close != LastIndex(token) && token[close + 1] == L'"') ++close;
        const WString inner = token.substr(open + 1, close - open - 1);
        token = token.substr(0, open) + inner + token.substr(close + 1);
        open = FindFrom(token, L'"', open + static_cast<int>(inner.size()));
    }
}

NumberGroups ParseNumberGroups(const WString& text) {
    NumberGroups groups;
    groups.prefixLength = text.find_first_of(L"0123456789:");
    if (groups.prefixLength == WString::npos) {
        groups.prefixLength = text.size();
        return groups;
    }
    groups.numbers.push_back(0);
    for (size_t i = groups.prefixLength; i + 1 < text.size(); ++i) {
        if (IsDigit(text[i])) {
            groups.numbers.back() = AppendDigit(groups.numbers.back(), text[i]);
        } else if (text[i] == L':') {
            groups.numbers.push_back(0);
        }
    }
    return groups;
}

// Sizes beyond what 32 bits of kilobytes hold are capped instead of wrapping around.
uint32_t MemoryShareKilobytes(uint64_t baseBytes, uint32_t percent, uint32_t minimumMb, uint32_t maximumMb) {
    const double share = static_cast<double>(baseBytes / 1024) * percent / 100.0;
    uint64_t size = share >= static_cast<double>(kMaxKilobytes) ? kMaxKilobytes : static_cast<uint64_t>(share);
    const uint64_t maximum = uint64_t{maximumMb} * 1024;
    const uint64_t minimum = uint64_t{minimumMb} * 1024;
    if (maximumMb != 0 && size > maximum) size = maximum;
    if (size < minimum) size = minimum;
    return static_cast<uint32_t>(size < kMaxKilobytes ? size : kMaxKilobytes);
}

bool IsRelativeMemoryOption(const WString& token) {
    if (!StartsWithSizeOption(token)) return false;
    const wchar_t last = token.back();
    return last == L'P' || last == L'p' || last == L'T' || last == L't';
}

void ResolveRelativeMemoryOption(WString& token, MemoryBaseReader readBase) {
    const NumberGroups groups = ParseNumberGroups(token);
    for (const uint64_t number : groups.numbers) {
        if (number > std::numeric_limits<uint32_t>::max()) return;
    }
    auto number = [&](size_t i) { return i < groups.numbers.size() ? static_cast<uint32_t>(groups.numbers[i]) : 0u; };
    const wchar_t last = token.empty() ? L'\0' : token.back();
    const bool addressSpace = last == L'T' || last == L't';
    const uint64_t base = readBase(addressSpace ? MemoryBase::FreeAddressSpace : MemoryBase::PhysicalMemory);
    const uint32_t size = MemoryShareKilobytes(base, number(0), number(1), number(2));
    token = token.substr(0, groups.prefixLength) + DecimalText(size) + L"K";
}

uint64_t StackSizeOfOption(const WString& token) {
    const WString rest = token.size() > 4 ? token.substr(4) : WString();
    const NumberGroups groups = ParseNumberGroups(rest);
    if (groups.prefixLength != 0 || groups.numbers.size() != 1) return 0;
    uint64_t number = groups.numbers.front();
    uint64_t factor = 1;
    switch (rest.back()) {
        case L'G': case L'g': factor = 1073741824u; break;
        case L'M': case L'm': factor = 1048576u; break;
        case L'K': case L'k': factor = 1024u; break;
        default:
            if (IsDigit(rest.back())) number = AppendDigit(number, rest.back());
    }
    // Too large for the thread: 0 lets the VM's default stand, and the VM judges the option itself.
    const uint64_t limit = std::numeric_limits<size_t>::max();
    if (number == kUnreadableNumber || number > limit / factor) return 0;
    return number * factor;
}

}  // namespace tarn
