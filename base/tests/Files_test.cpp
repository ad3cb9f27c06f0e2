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

}  // namespace
}  // namespace tarn
