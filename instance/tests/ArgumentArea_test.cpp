// The shared block's argument area, read and written as plain bytes.
#include <gtest/gtest.h>

#include <vector>

#include "instance/ArgumentArea.h"
#include "instance/InstanceNames.h"

namespace tarn {
namespace {

using ByteList = std::vector<uint8_t>;

// UTF-16LE bytes of the units, padded with zeros to size; hand-written units in the tables below.
ByteList Units(std::initializer_list<uint16_t> units, size_t size = 0) {
    ByteList bytes;
    for (uint16_t unit : units) bytes.insert(bytes.end(), {uint8_t(unit & 0xFF), uint8_t(unit >> 8)});
    bytes.resize(std::max(size, bytes.size()), 0);
    return bytes;
}

TEST(ArgumentArea, ReadsTheListAndNeverTrustsATerminator) {
    const std::tuple<const char*, ByteList, WStringList> rows[] = {
        {"all zero: one empty argument", Units({}, kArgumentAreaSize), {L""}},
        {"two arguments", Units({'a', 0, 'b', 'c', 0, 0, 'x'}), {L"a", L"bc"}},
        {"an empty argument ends the list", Units({'a', 0, 0, 'b', 0, 0}), {L"a"}},
        {"units pass unchanged", Units({0xE9, 0x4E2D, 0xD83D, 0xDE00, 0, 0}), {WString{0xE9, 0x4E2D, 0xD83D, 0xDE00}}},
        {"no NUL: the open argument is dropped", Units({'g', 'g', 'g', 'g'}), {}},
        {"the last unit only closes the list", Units({'x', 0}), {}},
        {"a NUL before a non-NUL last unit", Units({'x', 0, 'y'}), {L"x"}},
        {"odd byte count", {'a', 0, 0}, {}},
        {"nothing", {}, {}},
    };
    for (const auto& [name, area, expected] : rows) EXPECT_EQ(ReadArgumentArea(area), expected) << name;
    // Zeros right behind a full area of garbage would complete a list if the reader looked past it.
    ByteList bytes(kArgumentAreaSize, 0x41);
    bytes.resize(kArgumentAreaSize + 4, 0);
    EXPECT_EQ(ReadArgumentArea(ConstBytes(bytes).first(kArgumentAreaSize)), WStringList{});
}

TEST(ArgumentArea, WritesUpTo1040BytesLittleEndianAndRefusesMore) {
    ByteList area(kArgumentAreaSize, 0xEE);
    ASSERT_TRUE(WriteArgumentArea({L"ab", L"\u4e2d"}, area));
    ByteList expected = Units({'a', 'b', 0, 0x4E2D, 0, 0}, kForwardLimit);
    expected.resize(kArgumentAreaSize, 0xEE);
    EXPECT_EQ(area, expected) << "zeroed up to 1,040 bytes, untouched after";

    const WString fits(518, L'\u4e2d');  // 1,036 bytes + its NUL = 1,038, + the list's NUL = 1,040 (one more: LaterStarts_test)
    EXPECT_FALSE(WriteArgumentArea({fits, L""}, area)) << "an empty argument still takes its NUL";
    EXPECT_EQ(area, expected) << "a refused list leaves the area alone";
    ASSERT_TRUE(WriteArgumentArea({fits}, area));
    EXPECT_EQ(ByteList(area.begin() + 1034, area.begin() + 1041), (ByteList{0x2D, 0x4E, 0, 0, 0, 0, 0xEE}));
    EXPECT_FALSE(WriteArgumentArea({}, Bytes(area).first(kForwardLimit - 1)));
}

TEST(ArgumentArea, NamesComeFromTheExecutablesPath) {
    EXPECT_EQ(InstanceBaseName(L"C:\\Apps\\Tool\\tool.exe"), L"C:_Apps_Tool_tool.exe");
    EXPECT_EQ(MainStartedEventName(L"C:_x.exe"), L"C:_x.exe_upr_evt");
}

}  // namespace
}  // namespace tarn
