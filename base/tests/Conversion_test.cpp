// 8-bit text in the thread's ANSI code page, as VM options and JNI names need it.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/Conversion.h"

namespace tarn {
namespace {

TEST(Conversion, RoundTripsTextOfTheCodePage) {
    EXPECT_EQ(ToNarrow(L"-Djava.class.path=C:\\app\\a.jar;"), "-Djava.class.path=C:\\app\\a.jar;");
    EXPECT_EQ(FromNarrow("com/example/Main"), L"com/example/Main");
    EXPECT_EQ(ToNarrow(L""), "");
    EXPECT_EQ(FromNarrow(""), L"");
}

TEST(Conversion, UnrepresentableTextBecomesTheCodePagesSubstitutes) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "every character is representable in UTF-8";
    const NarrowString narrow = ToNarrow(L"a\u4e2d\u0416b");
    ASSERT_EQ(narrow.size(), 4u);
    EXPECT_EQ(narrow.front(), 'a');
    EXPECT_EQ(narrow.back(), 'b');
    EXPECT_EQ(narrow[1], '?');
}

}  // namespace
}  // namespace tarn
