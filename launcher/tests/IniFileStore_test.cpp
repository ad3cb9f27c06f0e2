// The settings file through the Win32 profile functions, on real files.
#include <gtest/gtest.h>
#include <windows.h>

#include "launcher/IniFileStore.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

using test::TempFolder;

// Values and name lists longer than the first buffers read whole; the file's head; deletion.
TEST(IniFileStore, ReadsWholeAndDeletes) {
    TempFolder temp;
    const WString path = temp.Path() + L"\\Start.ini";
    IniFileStore store(path);
    unsigned char head[4] = {9, 9, 9, 9};
    EXPECT_EQ(store.ReadFileHead(head), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));

    WString text = L"[S]\r\n";
    const int lengths[] = {254, 255, 256, 300, 511, 512, 1100};
    for (int length : lengths) text += L"K" + std::to_wstring(length) + L"=" + WString(length, L'v') + L"\r\n";
    for (int i = 0; i < 40; ++i) text += L"[Section number " + std::to_wstring(i) + L"]\r\n";
    test::WriteUtf16File(path, text);
    for (int length : lengths) EXPECT_EQ(store.Read(L"S", L"K" + std::to_wstring(length)).size(), static_cast<size_t>(length));
    WStringList names = {L"stale"};
    store.GetSectionNames(names);
    ASSERT_EQ(names.size(), 41u);  // more than 256 characters of names: the buffer grows
    EXPECT_EQ(names[1], L"Section number 0");
    EXPECT_EQ(names.back(), L"Section number 39");

    EXPECT_EQ(store.Read(L"Section number 7", L"k"), L"");
    EXPECT_TRUE(store.WriteString(L"Section number 7", L"k", L"v"));
    EXPECT_EQ(store.Read(L"Section number 7", L"k"), L"v");
    EXPECT_EQ(store.ReadFileHead(head), 0u);
    EXPECT_EQ(head[2], '[');
    EXPECT_TRUE(store.DeleteStore());
    EXPECT_FALSE(test::FileExists(path));
}

// The store reads a section at a time; each key must read as the platform's own key reader gives it.
// (That reader also finds keys in comment lines, which a section lists not: no setting starts with ';'.)
TEST(IniFileStore, AnswersAsTheProfileKeyReader) {
    const std::string lines =
        "[S]\r\n  Spaced \t=  \t two words \t \r\nquoted=\"q v\"\r\nsingle='s'\r\nmixed=\"m'\r\n"
        "lone=\"\r\npair=\"\"\r\nspacedQuotes= \" in \" \r\nequals=a=b\r\nbare\r\nempty=\r\n"
        ";comment=c\r\nCase=first\r\ncase=second\r\nlf=1\nlf2=2\rcr=3\r\n"
        "[s]\r\nCase=other section\r\nonlyHere=x\r\n[T]\r\n";
    std::string many;
    for (int i = 0; i < 150; ++i) many += "key" + std::to_string(i) + "=value number " + std::to_string(i) + "\r\n";
    const std::pair<const char*, std::string> files[] = {
        {"ANSI", lines + many},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + lines + "\xC3\x84=umlaut\r\n"},
        {"UTF-16 with mark", ""},
    };
    const WString keys[] = {L"spaced", L"QUOTED", L"single", L"mixed", L"lone", L"pair", L"spacedQuotes", L"equals",
                            L"bare", L"empty", L"case", L"lf", L"lf2", L"cr", L"onlyHere", L"\u00e4",
                            L"key0", L"key149", L"absent"};
    TempFolder temp;
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const WString path = temp.Path() + L"\\Keys.ini";
        if (bytes.empty()) {
            test::WriteUtf16File(path, test::FromUtf8(lines + many));
        } else {
            test::WriteBytes(path, bytes);
        }
        IniFileStore store(path);
        for (const wchar_t* section : {L"S", L"s", L"T", L"U"}) {
            for (const WString& key : keys) {
                wchar_t expected[256];
                GetPrivateProfileStringW(section, key.c_str(), L"", expected, 256, path.c_str());
                EXPECT_EQ(store.Read(section, key), expected) << "[" << section << "] " << key;
            }
        }
    }
}

}  // namespace
}  // namespace tarn
