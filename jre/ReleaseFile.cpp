#include "jre/ReleaseFile.h"

#include <windows.h>

#include <string>

#include "base/Handles.h"

namespace tarn {

std::optional<JavaVersion> ReadReleaseVersion(const WString& home) {
    HandleHolder file(CreateFileW((home + L"release").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    // A release file is a few hundred bytes; its head is all the version needs.
    std::string text(16384, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return std::nullopt;
    text.resize(read);
    return ReleaseFileVersion(text);
}

}  // namespace tarn
