// File names with a date and time pattern (one from the first "%" to the last), expanded for
// 5 December 2026 11:14:06.042.
#include <gtest/gtest.h>
#include <windows.h>

#include "vm/StreamRedirection.h"

namespace tarn {
namespace {

// Expected texts as the platform's own GetTimeFormatW and GetDateFormatW give them.
TEST(ExpandDateTimePattern, TimeThenDatePictures) {
    const SYSTEMTIME moment{2026, 12, 6, 5, 11, 14, 6, 42};
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"out_%yyyyMMdd_HHmmss%.log", L"out_20261205_111406.log"},
        {L"log_%HH.mm.ss.L%", L"log_11.14.06.42"},
        {L"a_%yyyy%_b_%MM%", L"a_2026%_b_%12"},
        {L"C:\\logs\\%'quoted' HH%.txt", L"C:\\logs\\quote5 11.txt"},  // quotes are spent by the time pass
        {L"x%y", L"xy"},  // a single "%": an empty pattern
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
