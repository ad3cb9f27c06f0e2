// A fresh folder on drive C: of the test's Wine prefix, removed with its contents at the end.
#pragma once
#include "base/Text.h"

namespace tarn::test {

class TempFolder {
public:
    explicit TempFolder(const WString& hint = L"t");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const WString& Path() const { return path_; }
    // Path() + "\" + relative; creates the folders leading to it.
    WString File(const WString& relative) const;

private:
    WString path_;
};

void RemoveTree(const WString& path);

}  // namespace tarn::test
