#include "tests/kit/TempFolder.h"

#include <windows.h>

#include <atomic>

#include "base/Files.h"

namespace tarn::test {

TempFolder::TempFolder(const WString& hint) {
    static std::atomic<int> counter{0};
    CreateDirectoryW(L"C:\\tarn-tests", nullptr);
    path_ = L"C:\\tarn-tests\\" + hint + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

WString TempFolder::File(const WString& relative) const {
    const WString full = path_ + L"\\" + relative;
    CreateFolderTree(full);
    return full;
}

void RemoveTree(const WString& path) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const WString name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const WString child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &data));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace tarn::test
