// The environment texts the launcher prepares for the Java program.
#include <gtest/gtest.h>

#include "vm/EnvironmentText.h"

namespace tarn {
namespace {

const WString kJvm = L"C:\\Program Files\\Java\\jre1.8\\bin\\client\\jvm.dll";

TEST(EnvironmentText, RuntimeFoldersAreCountedUpFromTheLibrary) {
    EXPECT_EQ(RuntimeHomeOf(kJvm), L"C:\\Program Files\\Java\\jre1.8");
    EXPECT_EQ(RuntimeBinOf(kJvm), L"C:\\Program Files\\Java\\jre1.8\\bin");
    EXPECT_EQ(RuntimeHomeOf(L"C:\\jvm.dll"), L"C:");
    EXPECT_EQ(RuntimeHomeOf(L"jvm.dll"), L"jvm.dll");
}

TEST(EnvironmentText, SearchPathPutsSystemPathFirstAndTheRuntimeLast) {
    const std::pair<const wchar_t*, WString> cases[] = {
        {L"", L"%Path%;C:\\Program Files\\Java\\jre1.8\\bin"},
        {L"C:\\Tools", L"C:\\Tools;%Path%;C:\\Program Files\\Java\\jre1.8\\bin"},
        {L"C:\\Tools;", L"C:\\Tools;%Path%;C:\\Program Files\\Java\\jre1.8\\bin"},
        {L"%APPDIR%\\x;D:\\y", L"%APPDIR%\\x;D:\\y;%Path%;C:\\Program Files\\Java\\jre1.8\\bin"},
    };
    for (const auto& [systemPath, expected] : cases) EXPECT_EQ(SearchPathText(systemPath, kJvm), expected);
}

TEST(EnvironmentText, LibraryPathPiecesAreJoinedWithSeparators) {
    EXPECT_EQ(LibraryPathHead(L"native", L"C:\\App\\"), L"native;C:\\App\\;.;%Path%");
    EXPECT_EQ(LibraryPathHead(L"C:\\a;C:\\b;", L"C:\\App\\"), L"C:\\a;C:\\b;C:\\App\\;.;%Path%");
    EXPECT_EQ(LibraryPathTail(kJvm), L"C:\\Program Files\\Java\\jre1.8\\lib");
    EXPECT_EQ(JoinPathList(L"C:\\x;C:\\y", L"C:\\jre\\lib"), L"C:\\x;C:\\y;C:\\jre\\lib");
    EXPECT_EQ(JoinPathList(L"C:\\x;", L"C:\\jre\\lib"), L"C:\\x;C:\\jre\\lib");
    EXPECT_EQ(JoinPathList(L"", L"C:\\jre\\lib"), L"C:\\jre\\lib");
}

}  // namespace
}  // namespace tarn
