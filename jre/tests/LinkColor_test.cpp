// The validation rules of a link colour value that the dialog's colours cannot show on their own
// (those are checked through the real launcher). Expected results worked out by hand.
#include <gtest/gtest.h>

#include <string>

#include "jre/LinkColor.h"

namespace tarn {
namespace {

TEST(LinkColor, RegistryValues) {
    const struct {
        uint32_t type;
        std::u16string data;  // the value's units, terminator included when it has one
        std::optional<uint32_t> expected;
    } rows[] = {
        {kRegistryExpandText, std::u16string(u" 12,34x,-2", 11), 0xFE220C},  // as the C reader reads numbers
        {kRegistryText, std::u16string(u"0,-1,0", 7), std::nullopt},          // -1 is no number
        {kRegistryText, std::u16string(u"0,0,", 5), std::nullopt},            // no third component
        {kRegistryText, std::u16string(u"1,2,3", 5), std::nullopt},           // not terminated
        {kRegistryText, std::u16string(u"100,200,2500", 13), std::nullopt},   // more than 12 units
        {4 /* REG_DWORD */, std::u16string(u"1,2,3", 6), std::nullopt},
    };
    for (const auto& row : rows) {
        const auto bytes = static_cast<uint32_t>(row.data.size() * sizeof(char16_t));
        EXPECT_EQ(ColorFromRegistryValue(row.type, row.data.data(), bytes), row.expected)
            << std::string(row.data.begin(), row.data.end());
    }
}

}  // namespace
}  // namespace tarn
