// The environment texts the launcher prepares for the Java program.
#include <gtest/gtest.h>

#include "vm/EnvironmentText.h"

namespace tarn {
namespace {

const WString kJvm = L"C:\\Program Files\\Java\\jre1.8\\bin\\client\\jvm.dll";

TEST(EnvironmentText, PathsPutTheirPiecesInOrderWithOneSeparatorBetweenEach) {
    const std::pair<const wchar_t*, WString> searchPaths[] = {
        {L"", L"%Path%;C:\\Program Files\\Java\\jre1.8\\bin"},
        {L"C:\\Tools", L"C:\\Tools;%Path%;C:\\Program Files\\Java\\jre1.8\\bin"},
        {L"%APPDIR%\\x;D:\\y;", L"%APPDIR%\\x;D:\\y;%Path%;C:\\Program Files\\Java\\jre1.8\\bin"},
    };
    for (const auto& [systemPath, expected] : searchPaths) EXPECT_EQ(SearchPathText(systemPath, kJvm), expected);
    EXPECT_EQ(LibraryPathHead(L"native", L"C:\\App\\"), L"native;C:\\App\\;.;%Path%");
    EXPECT_EQ(LibraryPathHead(L"C:\\a;C:\\b;", L"C:\\App\\"), L"C:\\a;C:\\b;C:\\App\\;.;%Path%");
    EXPECT_EQ(LibraryPathHead(L"", L"C:\\App\\"), L"C:\\App\\;.;%Path%");
    EXPECT_EQ(LibraryPathTail(kJvm), L"C:\\Program Files\\Java\\jre1.8\\lib");
    EXPECT_EQ(RuntimeHomeOf(kJvm), L"C:\\Program Files\\Java\\jre1.8");
}

}  // namespace
}  // namespace tarn
