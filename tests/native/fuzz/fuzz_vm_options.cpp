// The VM option tokeniser and the memory-share arithmetic.
// Input: two 8-byte memory bases, three 4-byte numbers (a share and its bounds), then the text.
#include <algorithm>
#include <cstring>

#include "tests/native/fuzz/FuzzText.h"
#include "vm/OptionText.h"

namespace tarn {
namespace {

uint64_t gBases[2];

uint64_t FakeBase(MemoryBase base) { return gBases[base == MemoryBase::FreeAddressSpace]; }

// The tokens, with the blanks between them, are the text again.
void CheckTokens(const WString& text, const WStringList& tokens) {
    size_t at = 0;
    for (const WString& token : tokens) {
        while (at < text.size() && text[at] == L' ') ++at;
        FUZZ_CHECK(!token.empty() && token.front() != L' ' && text.compare(at, token.size(), token) == 0);
        at += token.size();
        // A space inside a quoted run ends no token: one quote in a token means nothing closes it.
        if (at < text.size() && std::count(token.begin(), token.end(), L'"') == 1) {
            FUZZ_CHECK(text.find(L'"', at) == WString::npos);
        }
    }
    while (at < text.size() && text[at] == L' ') ++at;
    FUZZ_CHECK(at == text.size());
}

// percent of the base in whole kilobytes, then the maximum and the minimum, within 32 bits.
void CheckShare(uint64_t baseBytes, uint32_t percent, uint32_t minimumMb, uint32_t maximumMb) {
    constexpr unsigned __int128 kLimit = UINT32_MAX;
    unsigned __int128 expected = (unsigned __int128)(baseBytes / 1024) * percent / 100;
    expected = std::min(expected, kLimit);
    if (maximumMb != 0) expected = std::min<unsigned __int128>(expected, uint64_t{maximumMb} * 1024);
    expected = std::max<unsigned __int128>(expected, uint64_t{minimumMb} * 1024);
    expected = std::min(expected, kLimit);
    FUZZ_CHECK(MemoryShareKilobytes(baseBytes, percent, minimumMb, maximumMb) == expected);
}

}  // namespace
}  // namespace tarn

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    struct {
        uint64_t bases[2];
        uint32_t percent, minimumMb, maximumMb;
    } numbers{};
    const size_t head = std::min(size, size_t{28});
    std::memcpy(&numbers, data, head);
    std::memcpy(gBases, numbers.bases, sizeof gBases);
    CheckShare(gBases[0], numbers.percent, numbers.minimumMb, numbers.maximumMb);
    CheckShare(gBases[1], numbers.percent % 101, numbers.minimumMb % 65536, numbers.maximumMb % 65536);

    const WString text = fuzz::TextOf(data + head, size - head);
    const WStringList tokens = SplitVmParameters(text);
    CheckTokens(text, tokens);
    for (const WString& token : tokens) {
        WString cleaned = token;
        RemoveQuotes(cleaned);
        WString option = cleaned;
        if (IsRelativeMemoryOption(cleaned)) {
            ResolveRelativeMemoryOption(option, &FakeBase);
            // A share becomes a size in kilobytes, unless it cannot be read and stays as written.
            FUZZ_CHECK(option.back() == L'K' || option == cleaned);
        }
        if (option.compare(0, 4, L"-Xss") == 0) StackSizeOfOption(option);
    }
}
