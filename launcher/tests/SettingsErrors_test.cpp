// What a user sees when the settings do not name a main class.
#include <gtest/gtest.h>

#include "tests/kit/Scenario.h"

namespace tarn::test {
namespace {

TEST(SettingsErrors, NoMainClassShowsItsMessageAndEndsWithMinusOne) {
    for (const WString& settings : {WString(), WString(L"[Java Runtime Environment]\r\nMain Class=\r\nMinimum Version=1.8\r\n")}) {
        SCOPED_TRACE(settings.empty() ? "no settings file" : "an empty Main Class");
        const Outcome o = Launch({.settings = settings}).Run();
        EXPECT_TRUE(o.finished);
        EXPECT_EQ(o.exitCode, -1);
        EXPECT_EQ(o.DialogTexts(), WStringList{L"Main class was not specified in INI file."});
    }
}

}  // namespace
}  // namespace tarn::test
