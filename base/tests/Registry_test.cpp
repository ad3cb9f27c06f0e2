// Registry reading in both views of Wine's real registry, with odd value data.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/Registry.h"

namespace tarn {
namespace {

const WString kTestKey = L"Software\\TarnTests\\Reader";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        HKEY key;
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
                RegDeleteTreeW(key, L"TarnTests");
                RegCloseKey(key);
            }
        }
    }
    static void Write(REGSAM view, const WString& subkey, const WString& name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        if (!name.empty() || data != nullptr) RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
};

TEST_F(RegistryTest, EachViewSeesOnlyItsOwnSubkeysInEnumerationOrder) {
    Write(KEY_WOW64_64KEY, kTestKey + L"\\1.8", L"", REG_SZ, nullptr, 0);
    Write(KEY_WOW64_64KEY, kTestKey + L"\\11", L"", REG_SZ, nullptr, 0);
    Write(KEY_WOW64_32KEY, kTestKey + L"\\1.7", L"", REG_SZ, nullptr, 0);
    RegistryKeyReader wide64, wide32;
    ASSERT_TRUE(wide64.Open(kTestKey, RegistryView::Wide64));
    ASSERT_TRUE(wide32.Open(kTestKey, RegistryView::Wide32));
    EXPECT_EQ(wide64.SubkeyNames(), (WStringList{L"1.8", L"11"}));
    EXPECT_EQ(wide32.SubkeyNames(), (WStringList{L"1.7"}));
    RegistryKeyReader own;
    ASSERT_TRUE(own.Open(kTestKey, RegistryView::Own));
    EXPECT_EQ(own.SubkeyNames(), sizeof(void*) == 8 ? wide64.SubkeyNames() : wide32.SubkeyNames());
    RegistryKeyReader missing;
    EXPECT_FALSE(missing.Open(kTestKey + L"\\absent", RegistryView::Wide64));
    EXPECT_TRUE(missing.SubkeyNames().empty());
}

TEST_F(RegistryTest, TextEndsAtTheFirstNulWhateverTheValueType) {
    const wchar_t withNul[] = L"C:\\jre\0junk";
    const wchar_t noTerminator[] = {L'C', L':', L'\\', L'x'};
    const DWORD number = 0x41;
    Write(KEY_WOW64_64KEY, kTestKey, L"Text", REG_SZ, withNul, sizeof withNul);
    Write(KEY_WOW64_64KEY, kTestKey, L"Binary", REG_BINARY, noTerminator, sizeof noTerminator);
    Write(KEY_WOW64_64KEY, kTestKey, L"Number", REG_DWORD, &number, sizeof number);
    Write(KEY_WOW64_64KEY, kTestKey, L"Empty", REG_SZ, L"", sizeof(wchar_t));
    RegistryKeyReader reader;
    ASSERT_TRUE(reader.Open(kTestKey, RegistryView::Wide64));
    WString text;
    EXPECT_TRUE(reader.ReadText(L"Text", text));
    EXPECT_EQ(text, L"C:\\jre");
    EXPECT_TRUE(reader.ReadText(L"Binary", text));
    EXPECT_EQ(text, L"C:\\x");
    EXPECT_TRUE(reader.ReadText(L"Number", text));
    EXPECT_EQ(text, L"A");
    EXPECT_FALSE(reader.ReadText(L"Empty", text));
    EXPECT_FALSE(reader.ReadText(L"Absent", text));
}

}  // namespace
}  // namespace tarn
