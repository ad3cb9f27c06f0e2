// Which registry values give the link its colours. Expected colours are worked out by hand from
// the rules for these values: "R,G,B", terminated, each component cut to its low 8 bits.
#include <gtest/gtest.h>

#include <string>

#include "jre/LinkColor.h"

namespace tarn {
namespace {

struct ColorCase {
    const char* name;
    uint32_t type;
    std::u16string data;  // the value's units, terminator included when it has one
    std::optional<uint32_t> expected;
};

const ColorCase kCases[] = {
    {"red", kRegistryText, std::u16string(u"255,0,0", 8), 0x0000FF},
    {"expandable text counts", kRegistryExpandText, std::u16string(u"1,2,3", 6), 0x030201},
    {"components keep their low 8 bits", kRegistryText, std::u16string(u"300,0,0", 8), 0x00002C},
    {"a negative component wraps", kRegistryText, std::u16string(u"-2,0,0", 7), 0x0000FE},
    {"blanks and trailing letters as the C reader takes them", kRegistryText, std::u16string(u" 12,34x,56", 11),
     0x38220C},
    {"a word reads as 0", kRegistryText, std::u16string(u"a,b,c", 6), 0x000000},
    {"eleven characters fit", kRegistryText, std::u16string(u"100,200,250", 12), 0xFAC864},
    {"only two components", kRegistryText, std::u16string(u"255,0", 6), std::nullopt},
    {"no third component", kRegistryText, std::u16string(u"255,0,", 7), std::nullopt},
    {"-1 is not a number", kRegistryText, std::u16string(u"0,-1,0", 7), std::nullopt},
    {"-1 as the last component", kRegistryText, std::u16string(u"0,0,-1", 7), std::nullopt},
    {"empty value", kRegistryText, std::u16string(), std::nullopt},
    {"not terminated", kRegistryText, std::u16string(u"1,2,3", 5), std::nullopt},
    {"twelve characters do not fit", kRegistryText, std::u16string(u"100,200,2500", 13), std::nullopt},
    {"a number value", 4 /* REG_DWORD */, std::u16string(u"1,2,3", 6), std::nullopt},
};

TEST(LinkColor, RegistryValues) {
    for (const ColorCase& row : kCases) {
        const auto bytes = static_cast<uint32_t>(row.data.size() * sizeof(char16_t));
        EXPECT_EQ(ColorFromRegistryValue(row.type, row.data.data(), bytes), row.expected) << row.name;
    }
    const char16_t odd[] = u"1,2,3";
    EXPECT_EQ(ColorFromRegistryValue(kRegistryText, odd, sizeof odd - 1), std::nullopt) << "odd byte count";
}

}  // namespace
}  // namespace tarn
