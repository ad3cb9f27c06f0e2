#include "vm/EnvironmentText.h"

#include "base/PathText.h"

namespace tarn {

WString RuntimeHomeOf(const WString& jvmPath) { return StripPathComponents(jvmPath, 3); }

WString RuntimeBinOf(const WString& jvmPath) { return StripPathComponents(jvmPath, 2); }

WString JoinPathList(const WString& head, const WString& tail) {
    if (head.empty() || head.back() == L';') return head + tail;
    return head + L";" + tail;
}

WString SearchPathText(const WString& systemPath, const WString& jvmPath) {
    WString text = systemPath;
    if (!text.empty() && text.back() != L';') text += L';';
    return text + L"%Path%;" + RuntimeBinOf(jvmPath);
}

WString LibraryPathHead(const WString& libraryPath, const WString& exeFolder) {
    return JoinPathList(libraryPath, exeFolder) + L";.;%Path%";
}

WString LibraryPathTail(const WString& jvmPath) { return WithTrailingBackslash(RuntimeHomeOf(jvmPath)) + L"lib"; }

}  // namespace tarn
