// The settings stores: the base text's INI parser, list splitting, and (Win32 only) the settings
// file through the profile functions and the layered read of base text and settings file.
#include <gtest/gtest.h>

#include "launcher/IniFileStore.h"
#ifdef _WIN32
#include <windows.h>

#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#endif

namespace tarn {
namespace {

TEST(SplitList, PiecesBetweenSeparators) {
    const struct {
        WString text, separator;
        WStringList pieces;
    } cases[] = {
        {L"", L";", {}},
        {L"1.8;;11;", L";", {L"1.8", L"", L"11"}},  // a last separator adds no piece
        {L";;", L";", {L"", L""}},
        {L" a ; b ", L";", {L" a ", L" b "}},
        {L"a\r\n\r\nb", L"\r\n", {L"a", L"", L"b"}},
        {L"a\nb\r\r\nc", L"\r\n", {L"a\nb\r", L"c"}},
        {L"a;;;b", L";;", {L"a", L";b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\" at \"" << c.separator << "\"");
        EXPECT_EQ(SplitList(c.text, c.separator), c.pieces);
    }
}

struct Lookup {
    WString section, key, value;
};

TEST(ParseSettingsText, SectionsAndPairs) {
    const struct {
        const char* what;
        WString text;
        WStringList sections;
        std::vector<Lookup> lookups;
    } cases[] = {
        {"pairs in sections, last line without line end", L"[A]\r\nk=v\r\n[B]\r\nk=w",
         {L"A", L"B"}, {{L"A", L"k", L"v"}, {L"B", L"k", L"w"}}},
        {"a lone LF does not end a line", L"[A]\r\nk=v\nx=y\r\n",
         {L"A"}, {{L"A", L"k", L"v\nx=y"}, {L"A", L"x", L""}}},
        {"nor does a lone CR, so no section opens", L"[A]\nk=v\r\n[B]\rj=w\r\n", {}, {}},
        {"byte-order mark of the first line", L"\xFEFF[A]\r\nk=v", {L"A"}, {{L"A", L"k", L"v"}}},
        {"a later byte-order mark is text", L"[A]\r\n\xFEFFk=v\r\n\xFEFF[B]\r\n",
         {L"A"}, {{L"A", L"\xFEFFk", L"v"}, {L"A", L"k", L""}}},
        {"blanks and control characters before the bracket", L"\t \x01[A] \t\x02\r\n \t k = v \r\n",
         {L"A"}, {{L"A", L"k", L"v"}}},
        {"names between the first '[' and the last ']', untrimmed",
         L"[ A ]\r\nk=1\r\n[[x]]\r\nk=2\r\n[a]b]\r\nk=3\r\n[]\r\nk=4",
         {L" A ", L"[x]", L"a]b", L""},
         {{L" A ", L"k", L"1"}, {L"A", L"k", L""}, {L"[x]", L"k", L"2"}, {L"a]b", L"k", L"3"}, {L"", L"k", L"4"}}},
        {"lines that are no section", L"[A]\r\n[B] x\r\n[C]=x\r\n[\r\n]\r\nj=2",
         {L"A"}, {{L"A", L"[C]", L"x"}, {L"A", L"j", L"2"}}},
        {"the first of repeated keys; a repeated section is a new one that lookups never reach",
         L"[A]\r\nk=1\r\nk=0\r\n[A]\r\nk=2\r\nj=3", {L"A", L"A"}, {{L"A", L"k", L"1"}, {L"A", L"j", L""}}},
        {"lines before the first section and lines without '='", L"k=0\r\n[A]\r\nbare\r\nk=1",
         {L"A"}, {{L"A", L"k", L"1"}, {L"A", L"bare", L""}}},
        {"key and value trimmed, later '=' kept", L"[A]\r\n \tk \v = a=b \t\f\r\n", {L"A"}, {{L"A", L"k", L"a=b"}}},
        {"no comment syntax", L"[A]\r\n;k=1\r\n#j=2\r\n",
         {L"A"}, {{L"A", L";k", L"1"}, {L"A", L"#j", L"2"}, {L"A", L"k", L""}}},
        {"empty key, empty value, quotes kept", L"[A]\r\n=v\r\nk=\r\nq=\"v\"\r\nj='w'", {L"A"},
         {{L"A", L"", L"v"}, {L"A", L"k", L""}, {L"A", L"q", L"\"v\""}, {L"A", L"j", L"'w'"}}},
        {"names compare exactly", L"[Sec]\r\nKey=v",
         {L"Sec"}, {{L"Sec", L"Key", L"v"}, {L"sec", L"Key", L""}, {L"Sec", L"key", L""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySettingsStore store;
        ParseSettingsText(c.text, store);
        WStringList names{L"stale"};
        store.GetSectionNames(names);
        EXPECT_EQ(names, c.sections);
        for (const Lookup& lookup : c.lookups) {
            WString value = L"stale";
            store.GetString(lookup.section, lookup.key, value);
            EXPECT_EQ(value, lookup.value) << "[" << lookup.section << "] " << lookup.key;
        }
    }
}

#ifdef _WIN32
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

// The layered read over a real settings file, with a base text given directly. What a launcher
// with a base text shows (the base's value, a "+" value after a space) is BaseText_test's.
const WString kBaseText =
    L"[Java Runtime Environment]\r\nMain Class=base.Main\r\nVirtual Machine Parameters=-Xmx1g\r\n"
    L"Library Path=base-lib\r\n[Application+]\r\nOutput File=base-plus\r\n";
const WString kJre = L"Java Runtime Environment";

TEST(LayeredSettingsStore, BaseFileAndPlusSection) {
    const struct {
        const char* what;
        WString fileText;  // no file when empty
        WString section, key, expected;
    } cases[] = {
        {"the file's value replaces it", L"[Java Runtime Environment]\r\nMain Class=file.Main", kJre, L"Main Class",
         L"file.Main"},
        {"an empty file value reads as absent", L"[Java Runtime Environment]\r\nMain Class=", kJre, L"Main Class",
         L"base.Main"},
        {"two leading spaces stay two", L"[Java Runtime Environment+]\r\nVirtual Machine Parameters='  -Xss2m'", kJre,
         L"Virtual Machine Parameters", L"-Xmx1g  -Xss2m"},
        {"a plus value over an empty base keeps its space", L"[Application+]\r\nError File=err.txt", L"Application",
         L"Error File", L" err.txt"},
        {"the own section wins over the plus section",
         L"[Java Runtime Environment]\r\nLibrary Path=file-lib\r\n[Java Runtime Environment+]\r\nLibrary Path=more",
         kJre, L"Library Path", L"file-lib"},
        {"a plus section in the base extends nothing", L"", L"Application", L"Output File", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder(L"layered");
        const WString path = folder.Path() + L"\\Start.ini";
        if (!c.fileText.empty()) test::WriteUtf16File(path, c.fileText);
        LayeredSettingsStore store(path, kBaseText);
        EXPECT_EQ(store.Read(c.section, c.key), c.expected);
    }
}

#endif

}  // namespace
}  // namespace tarn
