// What the real executable cannot show in reasonable time: the end of a long stop, and setting
// values no product would write.
#include "service/ServiceRules.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(ServiceRules, TheLastStopReportCoversTheEndAndOddSettingValuesFallBack) {
    EXPECT_EQ(StoppingReport(21, 0).waitHintMs, kStopReportIntervalMs);
    for (const auto& [value, ms] : {std::pair{L"0", 0u}, {L"86400", 86400000u}, {L"86401", 20000u}, {L"99999999999", 20000u},
                                    {L"-5", 20000u}, {L" 5", 20000u}, {L"5s", 20000u}, {L"\uFF15", 20000u}})
        EXPECT_EQ(StopTimeoutMs(value), ms) << ms;
    WString className, methodName;
    for (const wchar_t* value : {L"stop", L".stop", L"a.b."}) EXPECT_FALSE(SplitStopMethod(value, className, methodName));
}

}  // namespace
}  // namespace tarn
