// The branding tool's command line, checked before anything is read or written.
#pragma once
#include <optional>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "brand/VersionBlock.h"

namespace tarn::brand {

struct BrandOptions {
    WString input, output;
    WString icon;            // an .ico file; empty keeps the input's icon
    WString executionLevel;  // empty keeps the input's
    // Version strings to set, by their name in the version block; others keep the input's value.
    std::vector<std::pair<WString, WString>> strings;
    std::optional<VersionNumber> fileVersion, productVersion;
    WString baseSettings, upgradeCode, passphrase;  // built-in base settings, when baseSettings is set
};

extern const wchar_t kBrandUsage[];

// The options, or an error text that names the offending option.
std::optional<BrandOptions> ParseBrandOptions(const WStringList& arguments, WString& error);

}  // namespace tarn::brand
