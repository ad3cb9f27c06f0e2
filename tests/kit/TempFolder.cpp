#include "tests/kit/TempFolder.h"

#include <windows.h>

#include <atomic>
#include <filesystem>

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
    std::error_code ignored;
    using Walk = std::filesystem::recursive_directory_iterator;
    for (Walk entry(path, ignored); entry != Walk(); entry.increment(ignored))
        SetFileAttributesW(entry->path().c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only files go too
    std::filesystem::remove_all(path, ignored);
}

}  // namespace tarn::test
