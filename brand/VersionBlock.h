// The version block of an executable (what Explorer shows in the file's properties), built as
// the bytes of a VS_VERSIONINFO resource with one Unicode string table for US English.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "brand/ResourceBytes.h"

namespace tarn::brand {

using VersionNumber = std::array<uint16_t, 4>;

// "1", "1.2", "1.2.3" or "1.2.3.4", each part 0 to 65535; nothing for any other text.
std::optional<VersionNumber> ParseVersionNumber(const WString& text);

struct VersionInfo {
    VersionNumber fileVersion{};
    VersionNumber productVersion{};
    // Name and value of each string, in order ("CompanyName", "FileDescription", ...).
    std::vector<std::pair<WString, WString>> strings;
};

// Nothing when a node or a value is longer than its 16-bit length can say.
std::optional<Bytes> BuildVersionBlock(const VersionInfo& info);

}  // namespace tarn::brand
