// tarnbrand: writes a branded copy of a released Tarn launcher (see README "Branding").
#include <windows.h>

#include <cstdio>

#include "brand/Branding.h"

int wmain(int argc, wchar_t** argv) {
    tarn::WStringList arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments[0] == L"--help") {
        std::fputws(tarn::brand::kBrandUsage, arguments.empty() ? stderr : stdout);
        return arguments.empty() ? 2 : 0;
    }
    tarn::WString error;
    const auto options = tarn::brand::ParseBrandOptions(arguments, error);
    if (!options) {
        std::fwprintf(stderr, L"tarnbrand: %ls\n%ls", error.c_str(), tarn::brand::kBrandUsage);
        return 2;
    }
    if (!tarn::brand::WriteBrandedCopy(*options, error)) {
        std::fwprintf(stderr, L"tarnbrand: %ls\n", error.c_str());
        return 1;
    }
    std::fwprintf(stdout, L"wrote %ls\n", options->output.c_str());
    return 0;
}
