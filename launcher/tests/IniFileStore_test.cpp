// The settings file through the Win32 profile functions, on real files.
#include <gtest/gtest.h>
#include <windows.h>

#include "launcher/IniFileStore.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

// The store reads a section at a time, growing its buffer until the section fits (150 keys here); each
// key must read as the platform's own key reader gives it. (That reader also finds keys in comment
// lines, which a section lists not: no setting starts with ';'.)
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
    test::TempFolder temp;
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
