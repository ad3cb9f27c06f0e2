// The shared block's argument area, read and written as plain bytes.
#include <gtest/gtest.h>

#include <vector>

#include "instance/ArgumentArea.h"
#include "instance/InstanceNames.h"

namespace tarn {
namespace {

// UTF-16LE bytes of the units, hand-written in the tables below.
std::vector<uint8_t> Units(std::initializer_list<uint16_t> units, size_t size = 0) {
    std::vector<uint8_t> bytes;
    for (uint16_t unit : units) bytes.insert(bytes.end(), {uint8_t(unit & 0xFF), uint8_t(unit >> 8)});
    if (bytes.size() < size) bytes.resize(size, 0);
    return bytes;
}

struct ReadRow {
    const char* name;
    std::vector<uint8_t> area;
    WStringList expected;
};

TEST(ArgumentArea, ReadsTheListAndNeverTrustsATerminator) {
    const ReadRow rows[] = {
        {"all zero: one empty argument", Units({}, kArgumentAreaSize), {L""}},
        {"two arguments", Units({'a', 0, 'b', 'c', 0, 0, 'x'}), {L"a", L"bc"}},
        {"an empty argument ends the list", Units({'a', 0, 0, 'b', 0, 0}), {L"a"}},
        {"non-ASCII units pass unchanged", Units({0xE9, 0x4E2D, 0xD83D, 0xDE00, 0, 0}), {L"\u00e9\u4e2d\U0001F600"}},
        {"no NUL: the open argument is dropped", Units({'g', 'g', 'g', 'g'}), {}},
        {"last unit only closes the list", Units({'x', 0}), {}},
        {"a NUL before a non-NUL last unit", Units({'x', 0, 'y'}), {L"x"}},
        {"odd byte count", {'a', 0, 0}, {}},
        {"nothing", {}, {}},
    };
    for (const ReadRow& row : rows) EXPECT_EQ(ReadArgumentArea(row.area), row.expected) << row.name;
}

TEST(ArgumentArea, AFullAreaOfGarbageIsReadWithinItsBounds) {
    // Zeros right behind the area would complete a list if the reader looked past its end.
    std::vector<uint8_t> bytes(kArgumentAreaSize, 0x41);
    bytes.resize(kArgumentAreaSize + 4, 0);
    EXPECT_EQ(ReadArgumentArea(ConstBytes(bytes).first(kArgumentAreaSize)), WStringList{});
}

TEST(ArgumentArea, WritesUpTo1040BytesAndRefusesMore) {
    const WString fits(518, L'\u4e2d');  // 1,036 bytes + its NUL = 1,038, + the list's NUL = 1,040
    const WString tooLong(519, L'\u4e2d');
    std::vector<uint8_t> area(kArgumentAreaSize, 0xEE);
    EXPECT_FALSE(WriteArgumentArea({tooLong}, area));
    EXPECT_EQ(area, std::vector<uint8_t>(kArgumentAreaSize, 0xEE)) << "a refused list leaves the area alone";
    EXPECT_FALSE(WriteArgumentArea({fits, L""}, area));  // the empty one still takes its NUL
    ASSERT_TRUE(WriteArgumentArea({fits}, area));
    EXPECT_EQ((std::vector<uint8_t>(area.begin() + 1034, area.begin() + 1041)),
              (std::vector<uint8_t>{0x2D, 0x4E, 0, 0, 0, 0, 0xEE}))
        << "last unit, its NUL, the list's NUL, and nothing written past 1,040 bytes";
    EXPECT_EQ(ReadArgumentArea(area), WStringList{fits});
    EXPECT_FALSE(WriteArgumentArea({}, Bytes(area).first(kForwardLimit - 1)));
}

TEST(ArgumentArea, WritesUnitsLittleEndianAndZeroesTheRest) {
    std::vector<uint8_t> area(kArgumentAreaSize, 0xEE);
    ASSERT_TRUE(WriteArgumentArea({L"ab", L"\u4e2d"}, area));
    std::vector<uint8_t> expected = Units({'a', 'b', 0, 0x4E2D, 0, 0}, kForwardLimit);
    expected.resize(kArgumentAreaSize, 0xEE);
    EXPECT_EQ(area, expected);
    ASSERT_TRUE(WriteArgumentArea({}, area));
    EXPECT_EQ(ReadArgumentArea(area), WStringList{L""}) << "no arguments arrive as one empty one";
}

TEST(ArgumentArea, HeaderFieldsAndNames) {
    std::vector<uint8_t> block(kBlockSize, 0);
    WriteBlockField(block, kMessageIdOffset, 0xC0DE1234);
    EXPECT_EQ((std::vector<uint8_t>(block.begin() + 8, block.begin() + 12)), (std::vector<uint8_t>{0x34, 0x12, 0xDE, 0xC0}));
    EXPECT_EQ(ReadBlockField(block, kMessageIdOffset), 0xC0DE1234u);
    EXPECT_EQ(ReadBlockField(block, kBlockSize - 3), 0u) << "a field past the end reads as 0";
    EXPECT_EQ(InstanceBaseName(L"C:\\Apps\\Tool\\tool.exe"), L"C:_Apps_Tool_tool.exe");
    EXPECT_EQ(MainStartedEventName(L"C:_x.exe"), L"C:_x.exe_upr_evt");
}

}  // namespace
}  // namespace tarn
