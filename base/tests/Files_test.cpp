// Folder chains against Wine's real file system.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/Files.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

bool IsFolder(const WString& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(CreateFolderTree, CreatesEveryFolderButTheLastComponentAndUndoesAFailure) {
    test::TempFolder temp;
    const WString a = temp.Path() + L"\\a";
    ASSERT_TRUE(CreateDirectoryW(a.c_str(), nullptr));
    EXPECT_EQ(CreateFolderTree(a + L"\\b\\c\\out.txt"), 0u);
    EXPECT_TRUE(IsFolder(a + L"\\b\\c"));
    EXPECT_FALSE(test::FileExists(a + L"\\b\\c\\out.txt"));
    test::WriteBytes(a + L"\\present.txt", "x");
    EXPECT_EQ(CreateFolderTree(a + L"\\present.txt"), 0u);  // existing paths need no work
    EXPECT_EQ(CreateFolderTree(temp.Path()), 0u);

    const DWORD error = CreateFolderTree(a + L"\\made\\bad|name\\out.txt");
    EXPECT_NE(error, 0u);
    EXPECT_NE(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(test::FileExists(a + L"\\made")) << "the empty folder just created stays";
}

}  // namespace
}  // namespace tarn
