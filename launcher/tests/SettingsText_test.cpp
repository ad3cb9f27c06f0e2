// The base layer's INI parser, list splitting, the in-memory store and the layered read.
#include <gtest/gtest.h>

#include "launcher/IniFileStore.h"
#ifdef _WIN32
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#endif

namespace tarn {
namespace {

struct SplitCase {
    WString text;
    WString separator;
    WStringList pieces;
};

TEST(SplitList, PiecesBetweenSeparators) {
    const SplitCase cases[] = {
        {L"", L";", {}},
        {L"1.8;;11;", L";", {L"1.8", L"", L"11"}},  // a last separator adds no piece
        {L";;", L";", {L"", L""}},
        {L" a ; b ", L";", {L" a ", L" b "}},
        {L"a\r\n\r\nb", L"\r\n", {L"a", L"", L"b"}},
        {L"a\nb\r\r\nc", L"\r\n", {L"a\nb\r", L"c"}},
        {L"a;;;b", L";;", {L"a", L";b"}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\" at \"" << c.separator << "\"");
        EXPECT_EQ(SplitList(c.text, c.separator), c.pieces);
    }
}

struct Lookup {
    WString section;
    WString key;
    WString value;
};

// A section as the profile reader lists it: blanks around names and values and one pair of
// matching quotes go; the list ends at the empty entry.
TEST(ParseSectionPairs, PairsAsTheKeyReaderGivesThem) {
    using namespace std::string_literals;
    const WString block = L" a \t= \"x y\" \0bare\0c='q\"\0d=\"\"\0e=\"\0f==g\0\0h=after the end\0"s;
    const std::vector<std::pair<WString, WString>> expected = {
        {L"a", L"x y"}, {L"bare", L""}, {L"c", L"'q\""}, {L"d", L""}, {L"e", L"\""}, {L"f", L"=g"}};
    EXPECT_EQ(ParseSectionPairs(block), expected);
}

struct ParseCase {
    const char* what;
    WString text;
    WStringList sections;
    std::vector<Lookup> lookups;
};

TEST(ParseSettingsText, SectionsAndPairs) {
    const ParseCase cases[] = {
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
        {"nothing but line ends", L"\r\n\r\n  \r\n", {}, {}},
    };
    for (const ParseCase& c : cases) {
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

TEST(MemorySettingsStore, ParsingReplacesWhatItHeldAndWritesAppendAndNeverMerge) {
    MemorySettingsStore store;
    store.WriteString(L"Old", L"k", L"v");
    ParseSettingsText(L"[A]\r\nk=1\r\n[B]\r\n[A]\r\nj=9\r\nm=9\r\n", store);
    EXPECT_TRUE(store.WriteString(L"A", L"k", L"2"));  // a second pair; the first still answers
    EXPECT_TRUE(store.WriteString(L"A", L"j", L"3"));  // into the first [A], not the second
    EXPECT_TRUE(store.WriteString(L"C", L"k", L"4"));  // a new section at the end
    EXPECT_TRUE(store.WriteString(L"c", L"k", L"5"));  // names are case-sensitive
    WStringList names;
    store.GetSectionNames(names);
    EXPECT_EQ(names, (WStringList{L"A", L"B", L"A", L"C", L"c"}));
    EXPECT_EQ(store.Read(L"A", L"k"), L"1");
    EXPECT_EQ(store.Read(L"A", L"j"), L"3");
    EXPECT_EQ(store.Read(L"C", L"k"), L"4");
    EXPECT_EQ(store.Read(L"c", L"k"), L"5");
    EXPECT_EQ(store.Read(L"B", L"k"), L"");
    EXPECT_EQ(store.Read(L"A", L"m"), L"");  // only the first [A] is consulted
    EXPECT_EQ(store.Read(L"Old", L"k"), L"");
}

// The layered read over a real settings file, with a base text given directly (Win32 only).
#ifdef _WIN32
const WString kBaseText =
    L"[Java Runtime Environment]\r\nMain Class=base.Main\r\nVirtual Machine Parameters=-Xmx1g\r\n"
    L"Library Path=base-lib\r\n[Application]\r\nCmd=\"quoted\"\r\n[Application+]\r\nOutput File=base-plus\r\n"
    L"[java runtime environment]\r\nJVM Type=server\r\n";
const WString kJre = L"Java Runtime Environment";

struct LayeredCase {
    const char* what;
    WString fileText;  // no file when empty
    WString section;
    WString key;
    WString expected;
};

TEST(LayeredSettingsStore, BaseFileAndPlusSection) {
    const WString longText(300, L'x');
    const LayeredCase cases[] = {
        {"the base supplies a value", L"", kJre, L"Main Class", L"base.Main"},
        {"the file's value replaces it", L"[Java Runtime Environment]\r\nMain Class=file.Main", kJre, L"Main Class",
         L"file.Main"},
        {"an empty file value reads as absent", L"[Java Runtime Environment]\r\nMain Class=", kJre, L"Main Class",
         L"base.Main"},
        {"a blank file value too", L"[Java Runtime Environment]\r\nMain Class=   ", kJre, L"Main Class", L"base.Main"},
        {"the plus section extends with one space",
         L"[Java Runtime Environment+]\r\nVirtual Machine Parameters=-Xss2m", kJre, L"Virtual Machine Parameters",
         L"-Xmx1g -Xss2m"},
        {"two leading spaces stay two", L"[Java Runtime Environment+]\r\nVirtual Machine Parameters='  -Xss2m'", kJre,
         L"Virtual Machine Parameters", L"-Xmx1g  -Xss2m"},
        {"a plus value over an empty base keeps its space", L"[Application+]\r\nError File=err.txt", L"Application",
         L"Error File", L" err.txt"},
        {"the own section wins over the plus section",
         L"[Java Runtime Environment]\r\nLibrary Path=file-lib\r\n[Java Runtime Environment+]\r\nLibrary Path=more",
         kJre, L"Library Path", L"file-lib"},
        {"file names match without regard to case",
         L"[JAVA RUNTIME ENVIRONMENT+]\r\nvirtual machine parameters=-Xss2m", kJre, L"Virtual Machine Parameters",
         L"-Xmx1g -Xss2m"},
        {"base names match exactly", L"", kJre, L"JVM Type", L""},
        {"base values keep their quotes", L"", L"Application", L"Cmd", L"\"quoted\""},
        {"a plus section in the base extends nothing", L"", L"Application", L"Output File", L""},
        {"a long plus value is read whole", L"[Java Runtime Environment+]\r\nLibrary Path=" + longText, kJre,
         L"Library Path", L"base-lib " + longText},
    };
    for (const LayeredCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder(L"layered");
        const WString path = folder.Path() + L"\\Start.ini";
        if (!c.fileText.empty()) test::WriteUtf16File(path, c.fileText);
        LayeredSettingsStore store(path, kBaseText);
        EXPECT_EQ(store.Read(c.section, c.key), c.expected);
    }
}

TEST(LayeredSettingsStore, OtherOperationsConcernTheFileOnly) {
    test::TempFolder folder(L"layered");
    const WString path = folder.Path() + L"\\Start.ini";
    LayeredSettingsStore store(path, kBaseText);
    test::WriteUtf16File(path, L"[X]\r\nk=1\r\n[Y]\r\n");
    WStringList names;
    store.GetSectionNames(names);
    EXPECT_EQ(names, (WStringList{L"X", L"Y"}));

    EXPECT_TRUE(store.WriteString(kJre, L"JRE Path", L"C:\\Java"));
    EXPECT_EQ(IniFileStore(path).Read(kJre, L"JRE Path"), L"C:\\Java");
    EXPECT_TRUE(store.DeleteStore());
    EXPECT_FALSE(test::FileExists(path));
    EXPECT_EQ(store.Read(kJre, L"Main Class"), L"base.Main");  // the base outlives the file
}
#endif

}  // namespace
}  // namespace tarn
