// File search, folder chains and environment expansion against Wine's real file system.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/Files.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

using test::TempFolder;

bool IsFolder(const WString& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(CreateFolderTree, CreatesEveryFolderButNeverTheLastComponent) {
    TempFolder temp;
    const WString a = temp.Path() + L"\\a";
    ASSERT_TRUE(CreateDirectoryW(a.c_str(), nullptr));
    EXPECT_EQ(CreateFolderTree(a + L"\\b\\c\\out.txt"), 0u);
    EXPECT_TRUE(IsFolder(a + L"\\b\\c"));
    EXPECT_FALSE(test::FileExists(a + L"\\b\\c\\out.txt"));

    EXPECT_EQ(CreateFolderTree(a + L"\\d"), 0u);
    EXPECT_FALSE(test::FileExists(a + L"\\d"));
}

TEST(CreateFolderTree, ExistingPathsNeedNoWork) {
    TempFolder temp;
    const WString file = temp.Path() + L"\\present.txt";
    test::WriteBytes(file, "x");
    SetLastError(0xdeadbeef);
    EXPECT_EQ(CreateFolderTree(file), 0u);
    EXPECT_EQ(CreateFolderTree(temp.Path()), 0u);
}

TEST(CreateFolderTree, FailureReturnsTheErrorAndRemovesTheEmptyFolderJustCreated) {
    TempFolder temp;
    const WString made = temp.Path() + L"\\made";
    const DWORD error = CreateFolderTree(made + L"\\bad|name\\out.txt");
    EXPECT_NE(error, 0u);
    EXPECT_NE(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(test::FileExists(made));
}

TEST(FolderExists, OnlyAbsolutePathsThatExist) {
    TempFolder temp;
    const WString file = temp.Path() + L"\\f.txt";
    test::WriteBytes(file, "x");
    EXPECT_TRUE(FolderExists(temp.Path()));
    EXPECT_TRUE(FolderExists(file));  // a file counts: the test is for existence
    EXPECT_FALSE(FolderExists(temp.Path() + L"\\missing"));
    EXPECT_FALSE(FolderExists(L""));
    ASSERT_TRUE(SetCurrentDirectoryW(temp.Path().c_str()));
    CreateDirectoryW(L"logs", nullptr);
    EXPECT_FALSE(FolderExists(L"logs"));
    EXPECT_TRUE(PathExists(L"logs"));
    SetCurrentDirectoryW(L"C:\\");
}

TEST(FileFinder, GivesTheMatchAndTheFolderHoldingIt) {
    TempFolder temp;
    test::WriteBytes(temp.Path() + L"\\lib\\a.jar", "a");
    FileFinder finder;
    ASSERT_TRUE(finder.FindFile((temp.Path() + L"\\lib\\*.jar").c_str()));
    EXPECT_EQ(finder.Name(), L"a.jar");
    EXPECT_EQ(finder.Root(), temp.Path() + L"\\lib");
    EXPECT_FALSE(finder.FindNext());

    SetLastError(0xdeadbeef);
    EXPECT_FALSE(finder.FindFile((temp.Path() + L"\\lib\\*.zip").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(finder.HasMatch());
    EXPECT_EQ(finder.Root(), L"");
}

TEST(FileFinder, PatternsBeyondTheClassicLimitAreFound) {
    TempFolder temp;
    WString deep = L"\\\\?\\" + temp.Path();
    for (int level = 0; level < 6; ++level) deep += L"\\" + WString(50, static_cast<wchar_t>(L'a' + level));
    ASSERT_EQ(CreateFolderTree(deep + L"\\x.jar"), 0u);
    test::WriteBytes(deep + L"\\x.jar", "x");
    const WString plain = deep.substr(4) + L"\\*.jar";
    ASSERT_GT(plain.size(), 260u);
    FileFinder finder;
    ASSERT_TRUE(finder.FindFile(plain.c_str()));
    EXPECT_EQ(finder.Name(), L"x.jar");
    EXPECT_EQ(finder.Root(), deep);
    EXPECT_FALSE(finder.FindFile((L"C:\\" + WString(32767, L'a')).c_str()));
    // Remove with the prefix: the temp folder's own cleanup uses classic paths.
    for (WString level = deep; level.size() > temp.Path().size() + 4; level = level.substr(0, level.rfind(L'\\'))) {
        DeleteFileW((level + L"\\x.jar").c_str());
        RemoveFolder(level);
    }
}

}  // namespace
}  // namespace tarn
