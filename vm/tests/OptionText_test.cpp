// Text across the VM's border. Going in: tokenising, quotes, memory shares and stack sizes of the
// VM options, through the two steps the launcher takes (split the parameter text, then add each
// token); what a settings file plainly shows (quoted tokens and values, doubled quotes, a share
// that reads as 0 or of the free address space, the stacks of -Xss5g and -Xss1:2k) is in the rows
// of Hosting_test and VmParameters_test. Coming back: modified UTF-8.
#include <gtest/gtest.h>

#include "vm/ModifiedUtf8.h"
#include "vm/OptionText.h"

namespace tarn {
namespace {

TEST(OptionText, SplitVmParametersEndsATokenAtTheFirstSpaceOutsideQuotes) {
    const std::pair<const wchar_t*, WStringList> cases[] = {
        {L"  -a    -b   ", {L"-a", L"-b"}},
        {L"\"\" -a", {L"\"\"", L"-a"}},
        {L"-Da=\"x y\"z w", {L"-Da=\"x y\"z", L"w"}},     // the quoted run ends inside the token
        {L"-Da=\"x y", {L"-Da=\"x", L"y"}},               // no closing quote: the space ends it
        {L"\"a\"\"b c\" d", {L"\"a\"\"b", L"c\"", L"d"}},  // a doubled quote closes the run
    };
    for (const auto& [text, tokens] : cases) EXPECT_EQ(SplitVmParameters(text), tokens) << text;
}

// Shares of 4 GiB of physical memory (P) and 8 GiB of free address space (T).
uint64_t FakeMemory(MemoryBase base) { return base == MemoryBase::PhysicalMemory ? 4ull << 30 : 8ull << 30; }

// A token as the VM gets it: quotes removed, then a share resolved; and the stack size a "-Xss" asks for.
TEST(OptionText, TokensLoseTheirQuotesSharesAreResolvedAndTheStackIsRead) {
    constexpr uint64_t kUntouched = 123;
    const struct Case {
        const wchar_t* token;
        const wchar_t* option;
        uint64_t stack = kUntouched;
    } cases[] = {
        {L"\"a\"b\"c\"", L"abc"},
        {L"\"", L"\""}, {L"\"abc", L"\"abc"}, {L"\"\"", L""}, {L"\"\"\"", L"\""},
        // percent:minimum:maximum in MB; the maximum applies first, then the minimum.
        {L"-Xmx50:256:1024P", L"-Xmx1048576K"},
        {L"-Xms10:64p", L"-Xms419430K"},
        {L"-Xms10:1000:200P", L"-Xms1024000K"},
        {L"-Xmx5a0P", L"-Xmx2097152K"},  // what is no digit is skipped
        // Capped at 32 bits of kilobytes, not wrapped; a number beyond 32 bits stays for the VM to name.
        {L"-Xmx4294967295P", L"-Xmx4294967295K"}, {L"-Xmx1:5000000P", L"-Xmx4294967295K"},
        {L"-Xmx4294967296P", L"-Xmx4294967296P"}, {L"-Xmx50:4294967297:0P", L"-Xmx50:4294967297:0P"},
        {L"-Xmx18446744073709551616P", L"-Xmx18446744073709551616P"},
        // Only -Xms, -Xmx and -Xss with a share letter are shares.
        {L"-Xmx512m", L"-Xmx512m"}, {L"-XMX50P", L"-XMX50P"}, {L"-Xmn50P", L"-Xmn50P"}, {L"-Dx=P", L"-Dx=P"},
        {L"-Xm", L"-Xm"},
        // The stack size, in bytes, as the VM reads the option.
        {L"-Xss2m", L"-Xss2m", 2u << 20}, {L"\"-Xss2M\"", L"-Xss2M", 2u << 20}, {L"-Xss1048576", L"-Xss1048576", 1u << 20},
        {L"-Xss512k", L"-Xss512k", 512u << 10}, {L"-Xss1G", L"-Xss1G", 1u << 30}, {L"-Xss64x", L"-Xss64x", 64},
        {L"-Xss", L"-Xss", 0}, {L"-Xssk", L"-Xssk", 0}, {L"-Xss=1m", L"-Xss=1m", 0},
        {L"-Xss4294967296", L"-Xss4294967296", 1ull << 32},  // whole on 64 bits
        {L"-Xss17179869185g", L"-Xss17179869185g", 0}, {L"-Xss99999999999999999999", L"-Xss99999999999999999999", 0},
        {L"-Xss1:64:128P", L"-Xss65536K", 64u << 20},  // a share is resolved first
        {L"-Xss1t", L"-Xss83886K", 83886u << 10},
    };
    for (const Case& c : cases) {
        WString option = c.token;
        RemoveQuotes(option);
        if (IsRelativeMemoryOption(option)) ResolveRelativeMemoryOption(option, &FakeMemory);
        EXPECT_EQ(option, c.option) << c.token;
        EXPECT_EQ(option.compare(0, 4, L"-Xss") == 0 ? StackSizeOfOption(option) : kUntouched, c.stack) << c.token;
    }
}

// What GetStringUTFChars hands back.
TEST(ModifiedUtf8, DecodesEachSequenceLengthAndReplacesMalformedBytes) {
    const WString grin{wchar_t(0xD83D), wchar_t(0xDE00)};  // U+1F600
    const std::pair<const char*, WString> cases[] = {
        {"caf\xC3\xA9", L"caf\u00E9"},
        {"\xE2\x82\xAC\xE6\x97\xA5", L"\u20AC\u65E5"},
        {"a\xC0\x80" "b", WString(L"a\0b", 3)},  // NUL in its two-byte form
        {"\xED\xA0\xBD\xED\xB8\x80", grin},       // as two surrogates
        {"\xF0\x9F\x98\x80", grin},               // the same in standard UTF-8
        {"", L""},
        {"a\x80z", L"a\uFFFDz"},                  // stray continuation byte
        {"a\xE2\x82", L"a\uFFFD"},                // cut short by the end
        {"\xC3z", L"\uFFFDz"},                    // lead without continuation
        {"\xFF", L"\uFFFD"},
        {"\xF7\xBF\xBF\xBF", L"\uFFFD"},          // beyond U+10FFFF
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(FromModifiedUtf8(bytes), expected) << bytes;
    EXPECT_EQ(FromModifiedUtf8(nullptr), L"");
}

}  // namespace
}  // namespace tarn
