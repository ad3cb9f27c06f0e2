// Reason texts of the JNI creation results, read from the string table.
#include <gtest/gtest.h>

#include "base/StringTable.h"
#include "vm/ErrorMessages.h"

namespace tarn {
namespace {

TEST(ErrorMessages, EachJniErrorCodeHasItsReasonAndOthersNone) {
    const std::pair<long, const wchar_t*> cases[] = {
        {-1, L"unknown"},           {-2, L"thread detached from VM"}, {-3, L"JNI version error"},
        {-4, L"not enough memory"}, {-5, L"VM already created"},      {-6, L"invalid arguments"},
    };
    for (const auto& [code, reason] : cases) EXPECT_EQ(LoadText(JniReasonTextId(code)), reason) << code;
    EXPECT_EQ(JniReasonTextId(0), 0u);
    EXPECT_EQ(JniReasonTextId(-7), 0u);
    EXPECT_EQ(JniReasonTextId(1), 0u);
}

}  // namespace
}  // namespace tarn
