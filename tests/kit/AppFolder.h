// A product folder for end-to-end tests: a copy of the launcher under the product's name
// and its settings file beside it.
#pragma once
#include "tests/kit/Process.h"
#include "tests/kit/TempFolder.h"

namespace tarn::test {

class AppFolder {
public:
    explicit AppFolder(const WString& exeName = L"App.exe", const WString& launcher = L"");
    const WString& Path() const { return folder_.Path(); }
    WString ExePath() const { return Path() + L"\\" + exeName_; }
    WString IniPath() const;
    WString File(const WString& relative) const { return folder_.File(relative); }
    void WriteIni(const WString& text);
    RunResult Run(const WString& arguments = L"", const RunOptions& options = {}) const;

private:
    TempFolder folder_;
    WString exeName_;
};

}  // namespace tarn::test
