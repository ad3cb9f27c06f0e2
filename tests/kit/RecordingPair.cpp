#include "tests/kit/RecordingPair.h"

#include <windows.h>

#include "tests/kit/Locations.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {

RecordingPair::RecordingPair(WString exePath, int exitCode) : exePath_(std::move(exePath)), exitCode_(exitCode) {
    CopyTo(BuildDir() + L"\\testbin\\tarn_test_pair.exe", exePath_);
    DeleteFileW((exePath_ + L".starts").c_str());
}

std::vector<std::pair<WString, WString>> RecordingPair::Environment() const {
    return {{L"TARN_TEST_PAIR_EXIT", std::to_wstring(exitCode_)}};
}

WStringList RecordingPair::Starts() const {
    const std::string bytes = ReadBytes(exePath_ + L".starts");
    const WString text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    WStringList starts;
    for (size_t at = 0, end; (end = text.find(L'\n', at)) != WString::npos; at = end + 1) starts.push_back(text.substr(at, end - at));
    return starts;
}

}  // namespace tarn::test
