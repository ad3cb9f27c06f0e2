// File names with a date and time pattern, expanded for 5 December 2026 11:14:06.042.
#include <gtest/gtest.h>
#include <windows.h>

#include "vm/DateTimePattern.h"
#include "vm/StreamRedirection.h"

namespace tarn {
namespace {

TEST(DateTimePattern, OnePatternFromTheFirstPercentToTheLast) {
    const auto two = SplitDateTimePattern(L"a_%yyyy%_b_%MM%.log");
    ASSERT_TRUE(two.has_value());
    EXPECT_EQ(two->leading, L"a_");
    EXPECT_EQ(two->pattern, L"yyyy%_b_%MM");
    EXPECT_EQ(two->trailing, L".log");
    const auto single = SplitDateTimePattern(L"out%.txt");
    ASSERT_TRUE(single.has_value());
    EXPECT_EQ(single->leading + L"|" + single->pattern + L"|" + single->trailing, L"out||.txt");
    EXPECT_FALSE(SplitDateTimePattern(L"plain.txt").has_value());
    EXPECT_EQ(ReplaceMilliseconds(L"ss.L-L", 42), L"ss.42-42");
    EXPECT_EQ(ReplaceMilliseconds(L"L", 0), L"0");
    EXPECT_EQ(ReplaceMilliseconds(L"l", 999), L"l");
}

// Expected texts as the platform's own GetTimeFormatW and GetDateFormatW give them.
TEST(ExpandDateTimePattern, TimeThenDatePictures) {
    const SYSTEMTIME moment{2026, 12, 6, 5, 11, 14, 6, 42};
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"out_%yyyyMMdd_HHmmss%.log", L"out_20261205_111406.log"},
        {L"log_%HH.mm.ss.L%", L"log_11.14.06.42"},
        {L"a_%yyyy%_b_%MM%", L"a_2026%_b_%12"},
        {L"C:\\logs\\%'quoted' HH%.txt", L"C:\\logs\\quote5 11.txt"},  // quotes are spent by the time pass
        {L"x%y", L"xy"},
        {L"plain.txt", L"plain.txt"},
    };
    for (const auto& [name, expected] : cases) {
        WString expanded = name;
        ExpandDateTimePattern(expanded, moment);
        EXPECT_EQ(expanded, expected) << name;
    }
}

}  // namespace
}  // namespace tarn
