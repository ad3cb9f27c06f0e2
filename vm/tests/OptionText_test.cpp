// Tokenising and sizing rules of the VM options, case by case.
#include <gtest/gtest.h>

#include <limits>

#include "vm/OptionText.h"

namespace tarn {
namespace {

struct EndCase {
    const wchar_t* text;
    int start;
    int expected;
};

TEST(OptionText, NextParameterEndStopsAtTheFirstSpaceOutsideQuotes) {
    const EndCase cases[] = {
        {L"-Xmx512m -Dx=1", 0, 8},
        {L"-Xmx512m", 0, 8},
        {L"-Xmx512m -Dx=1", 9, 14},
        {L"\"-Dh=C:\\Program Files\\A\" -Dx=1", 0, 24},
        {L"-Da=\"x y\"z w", 0, 10},        // the quoted run ends inside the token
        {L"-Da=\"x y", 0, 6},              // no closing quote: the space ends it
        {L"ab \"", 0, 2},                  // quote after the space
        {L"a\"", 0, 2},                    // quote as the last character, no space
        {L"\"a b\"", 0, 5},
        {L"\"a\"\"b c\" d", 0, 5},         // a doubled quote closes the run
        {L"\"a b\" \"c d\"", 6, 11},
        {L"abc", 7, 3},                    // start outside the text
        {L"", 0, 0},
    };
    for (const EndCase& c : cases) EXPECT_EQ(NextParameterEnd(c.text, c.start), c.expected) << c.text;
}

TEST(OptionText, SplitVmParametersKeepsQuotedSpacesAndSkipsBlankRuns) {
    EXPECT_EQ(SplitVmParameters(L"-Xmx512m \"-Dapp.home=C:\\Program Files\\App\" -Dx=1"),
              (WStringList{L"-Xmx512m", L"\"-Dapp.home=C:\\Program Files\\App\"", L"-Dx=1"}));
    EXPECT_EQ(SplitVmParameters(L"-a    -b   "), (WStringList{L"-a", L"-b"}));
    EXPECT_EQ(SplitVmParameters(L"  -a"), (WStringList{L"-a"}));
    EXPECT_EQ(SplitVmParameters(L""), WStringList{});
    EXPECT_EQ(SplitVmParameters(L"\"\" -a"), (WStringList{L"\"\"", L"-a"}));
}

TEST(OptionText, RemoveQuotesDropsPairsAndKeepsADoubledQuoteOnce) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"\"-Dapp.home=C:\\Program Files\\App\"", L"-Dapp.home=C:\\Program Files\\App"},
        {L"-Dx=\"a b\"", L"-Dx=a b"},
        {L"\"a\"\"b\"", L"a\"b\""},
        {L"\"a\"b\"c\"", L"abc"},
        {L"plain", L"plain"},
        {L"\"", L"\""},
        {L"a\"", L"a\""},
        {L"\"abc", L"\"abc"},
        {L"\"\"", L""},
        {L"\"\"\"", L"\""},
        {L"", L""},
    };
    for (const auto& [input, expected] : cases) {
        WString token = input;
        RemoveQuotes(token);
        EXPECT_EQ(token, expected) << input;
    }
}

TEST(OptionText, ParseNumberGroupsSplitsAtColonsAndLeavesOutTheLastCharacter) {
    struct Case {
        const wchar_t* text;
        size_t prefix;
        std::vector<uint64_t> numbers;
    };
    const Case cases[] = {
        {L"-Xmx50:256:1024P", 4, {50, 256, 1024}},
        {L"-Xms10:64P", 4, {10, 64}},
        {L"-Xmx:5P", 4, {0, 5}},
        {L"-Xmx5a0P", 4, {50}},
        {L"12", 0, {1}},
        {L"abc", 3, {}},
        {L"", 0, {}},
        {L"-Xmx99999999999P", 4, {99999999999u}},
        {L"-Xmx18446744073709551614:18446744073709551615P", 4, {18446744073709551614u, kUnreadableNumber}},
    };
    for (const Case& c : cases) {
        const NumberGroups groups = ParseNumberGroups(c.text);
        EXPECT_EQ(groups.prefixLength, c.prefix) << c.text;
        EXPECT_EQ(groups.numbers, c.numbers) << c.text;
    }
}

TEST(OptionText, MemoryShareAppliesMaximumThenMinimum) {
    const uint64_t fourGiB = 4ull << 30;  // 4,194,304 KB
    EXPECT_EQ(MemoryShareKilobytes(fourGiB, 50, 256, 1024), 1048576u);
    EXPECT_EQ(MemoryShareKilobytes(fourGiB, 10, 64, 0), 419430u);
    EXPECT_EQ(MemoryShareKilobytes(fourGiB, 50, 0, 0), 2097152u);
    EXPECT_EQ(MemoryShareKilobytes(fourGiB, 10, 1000, 200), 1024000u);  // the minimum wins
    EXPECT_EQ(MemoryShareKilobytes(fourGiB, 0, 0, 0), 0u);
    EXPECT_EQ(MemoryShareKilobytes(1025, 100, 0, 0), 1u);
    // 25% of 128 TiB does not fit 32 bits of kilobytes: capped, not wrapped.
    EXPECT_EQ(MemoryShareKilobytes(128ull << 40, 25, 0, 0), std::numeric_limits<uint32_t>::max());
    EXPECT_EQ(MemoryShareKilobytes(fourGiB, 1, 5000000, 0), std::numeric_limits<uint32_t>::max());
}

MemoryBase lastBaseAsked;
uint64_t FakeMemory(MemoryBase base) {
    lastBaseAsked = base;
    return base == MemoryBase::PhysicalMemory ? 4ull << 30 : 8ull << 30;
}

TEST(OptionText, ResolveRelativeMemoryOptionUsesTheBaseTheLetterNames) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"-Xmx50:256:1024P", L"-Xmx1048576K"},
        {L"-Xms10:64P", L"-Xms419430K"},
        {L"-Xms10:64p", L"-Xms419430K"},
        {L"-Xmx25T", L"-Xmx2097152K"},
        {L"-Xmx25t", L"-Xmx2097152K"},
        {L"-Xmx:P", L"-Xmx0K"},  // nothing readable counts as 0
        {L"-Xmx4294967295P", L"-Xmx4294967295K"},  // the share is capped at 32 bits of kilobytes
        // A number beyond 32 bits stays as written, for the VM to name: never a size of its own.
        {L"-Xmx4294967296P", L"-Xmx4294967296P"}, {L"-Xmx50:4294967297:0P", L"-Xmx50:4294967297:0P"},
    };
    for (const auto& [input, expected] : cases) {
        WString token = input;
        ResolveRelativeMemoryOption(token, &FakeMemory);
        EXPECT_EQ(token, expected) << input;
    }
    WString token = L"-Xmx1T";
    ResolveRelativeMemoryOption(token, &FakeMemory);
    EXPECT_EQ(lastBaseAsked, MemoryBase::FreeAddressSpace);
    token = L"-Xmx1P";
    ResolveRelativeMemoryOption(token, &FakeMemory);
    EXPECT_EQ(lastBaseAsked, MemoryBase::PhysicalMemory);
}

TEST(OptionText, OnlyTheThreeSizeOptionsWithAShareLetterAreRelative) {
    EXPECT_TRUE(IsRelativeMemoryOption(L"-Xmx50P"));
    EXPECT_TRUE(IsRelativeMemoryOption(L"-Xss1t"));
    EXPECT_FALSE(IsRelativeMemoryOption(L"-Xmx512m"));
    EXPECT_FALSE(IsRelativeMemoryOption(L"-XMX50P"));
    EXPECT_FALSE(IsRelativeMemoryOption(L"-Xmn50P"));
    EXPECT_FALSE(IsRelativeMemoryOption(L"-Dx=P"));
    EXPECT_FALSE(IsRelativeMemoryOption(L"-Xm"));
}

TEST(OptionText, StackSizeOfOptionReadsOneNumberAndItsUnit) {
    const std::pair<const wchar_t*, uint64_t> cases[] = {
        {L"-Xss2m", 2097152u},   {L"-Xss2M", 2097152u},  {L"-Xss1048576", 1048576u},
        {L"-Xss512k", 524288u},  {L"-Xss512K", 524288u}, {L"-Xss1g", 1073741824u},
        {L"-Xss5", 5u},          {L"-Xss64x", 64u},      {L"-Xss", 0u},
        {L"-Xss1:2k", 0u},       {L"-Xssk", 0u},         {L"-Xss=1m", 0u},
        {L"-Xss5g", 5368709120u}, {L"-Xss4294967296", 4294967296u},  // whole, on this 64-bit build
        {L"-Xss17179869184g", 0u}, {L"-Xss99999999999999999999", 0u},  // beyond 64 bits: the VM judges it
    };
    for (const auto& [token, expected] : cases) EXPECT_EQ(StackSizeOfOption(token), expected) << token;
}

TEST(OptionText, AddVmParameterCleansResolvesAndRecordsTheLastStackSize) {
    WStringList options;
    uint64_t stack = 0;
    AddVmParameter(L"\"-Xss2m\"", options, stack, &FakeMemory);
    EXPECT_EQ(stack, 2097152u);
    AddVmParameter(L"-Xmx512m", options, stack, &FakeMemory);
    EXPECT_EQ(stack, 2097152u);
    AddVmParameter(L"-Xss1:64:128P", options, stack, &FakeMemory);  // 1% of 4 GiB, at least 64 MB
    EXPECT_EQ(stack, 65536u * 1024u);
    AddVmParameter(L"\"-Dapp.home=C:\\Program Files\\App\"", options, stack, &FakeMemory);
    AddVmParameter(L"-XssBad", options, stack, &FakeMemory);
    EXPECT_EQ(stack, 0u);
    EXPECT_EQ(options, (WStringList{L"-Xss2m", L"-Xmx512m", L"-Xss65536K", L"-Dapp.home=C:\\Program Files\\App",
                                    L"-XssBad"}));
}

}  // namespace
}  // namespace tarn
