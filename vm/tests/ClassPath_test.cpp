// Class path assembly against real folders of the test's drive C:.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#include "vm/ClassPath.h"

namespace tarn {
namespace {

using test::TempFolder;
using test::WriteBytes;

TEST(ClassPath, WildcardAndRelativeEntriesAreSearchedAbsoluteOnesKept) {
    EXPECT_TRUE(IsSearchedEntry(L"lib\\*.jar"));
    EXPECT_TRUE(IsSearchedEntry(L"C:\\lib\\*.jar"));
    EXPECT_TRUE(IsSearchedEntry(L"app.jar"));
    EXPECT_TRUE(IsSearchedEntry(L"\\lib\\app.jar"));
    EXPECT_TRUE(IsSearchedEntry(L""));
    EXPECT_FALSE(IsSearchedEntry(L"C:\\ext\\x.jar"));
    EXPECT_FALSE(IsSearchedEntry(L"\\\\server\\share\\x.jar"));
    EXPECT_EQ(SearchPatternOf(L"lib\\*.jar", L"C:\\app"), L"C:\\app\\lib\\*.jar");
    EXPECT_EQ(SearchPatternOf(L"D:\\lib\\*.jar", L"C:\\app"), L"D:\\lib\\*.jar");
}

// The order FindFirstFileW/FindNextFileW give, which the class path must follow.
WStringList SystemOrder(const WString& pattern) {
    WStringList names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileW(search, &data));
    FindClose(search);
    return names;
}

TEST(ClassPath, BuildClassPathFollowsTheSystemOrderAndDropsWhatIsMissing) {
    TempFolder app(L"cp");
    for (const wchar_t* name : {L"lib\\b.jar", L"lib\\a.jar", L"lib\\c.txt", L"main.jar", L"lib\\sub\\d.jar"}) {
        WriteBytes(app.File(name), "PK");
    }
    SetEnvironmentVariableW(L"TARN_TEST_LIB", L"lib");
    const WString classPath =
        BuildClassPath(L"%TARN_TEST_LIB%\\*.jar;C:\\ext\\x.jar;missing.jar;;main.jar;nothing\\*.jar;", app.Path()).text;
    WString expected;
    for (const WString& name : SystemOrder(app.Path() + L"\\lib\\*.jar")) expected += app.Path() + L"\\lib\\" + name + L";";
    expected += L"C:\\ext\\x.jar;" + app.Path() + L"\\main.jar;";
    EXPECT_EQ(classPath, expected);
    EXPECT_NE(classPath.find(L"a.jar"), WString::npos);
    EXPECT_NE(classPath.find(L"b.jar"), WString::npos);
    EXPECT_EQ(classPath.find(L"d.jar"), WString::npos);
}

TEST(ClassPath, AnEmptySettingGivesAnEmptyClassPath) {
    EXPECT_EQ(BuildClassPath(L"", L"C:\\nowhere").text, L"");
    EXPECT_EQ(BuildClassPath(L"missing.jar;lib\\*.jar", L"C:\\nowhere").text, L"");
}

}  // namespace
}  // namespace tarn
