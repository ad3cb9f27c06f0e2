// The settings file through the Win32 profile functions, on real files.
#include <gtest/gtest.h>
#include <windows.h>

#include "launcher/IniFileStore.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

using test::TempFolder;

TEST(IniFileStore, ValuesOfEveryLengthAroundTheBufferSizesReadWhole) {
    TempFolder temp;
    const WString path = temp.Path() + L"\\Start.ini";
    WString text = L"[S]\r\n";
    const int lengths[] = {254, 255, 256, 300, 511, 512, 1100};
    for (int length : lengths) text += L"K" + std::to_wstring(length) + L"=" + WString(length, L'v') + L"\r\n";
    test::WriteUtf16File(path, text);
    IniFileStore store(path);
    for (int length : lengths) EXPECT_EQ(store.Read(L"S", L"K" + std::to_wstring(length)).size(), static_cast<size_t>(length));
}

TEST(IniFileStore, SectionNamesWriteHeadAndDelete) {
    TempFolder temp;
    const WString path = temp.Path() + L"\\Start.ini";
    IniFileStore store(path);
    unsigned char head[4] = {9, 9, 9, 9};
    EXPECT_EQ(store.ReadFileHead(head), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));

    WStringList names = {L"stale"};
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(store.WriteString(L"Section number " + std::to_wstring(i), L"k", L"v"));
    store.GetSectionNames(names);
    ASSERT_EQ(names.size(), 40u);  // more than 256 characters of names: the buffer grows
    EXPECT_EQ(names.front(), L"Section number 0");
    EXPECT_EQ(names.back(), L"Section number 39");
    EXPECT_EQ(store.Read(L"Section number 7", L"k"), L"v");

    EXPECT_EQ(store.ReadFileHead(head), 0u);
    EXPECT_EQ(head[0], '[');
    EXPECT_TRUE(store.DeleteStore());
    EXPECT_FALSE(test::FileExists(path));
}

}  // namespace
}  // namespace tarn
