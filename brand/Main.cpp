// tarnbrand: writes a branded copy of a released Tarn launcher (see README "Branding").
#include "brand/Branding.h"
#include "report/StandardError.h"

using tarn::StandardHandle;
using tarn::WriteStandardText;

// Messages are written as the console launcher writes its own, so that any file name shows whole.
int wmain(int argc, wchar_t** argv) {
    tarn::WStringList arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments[0] == L"--help") {
        WriteStandardText(arguments.empty() ? StandardHandle::Error : StandardHandle::Output, tarn::brand::kBrandUsage);
        return arguments.empty() ? 2 : 0;
    }
    tarn::WString error;
    const auto options = tarn::brand::ParseBrandOptions(arguments, error);
    if (!options) {
        WriteStandardText(StandardHandle::Error, L"tarnbrand: " + error + L"\n" + tarn::brand::kBrandUsage);
        return 2;
    }
    if (!tarn::brand::WriteBrandedCopy(*options, error)) {
        WriteStandardText(StandardHandle::Error, L"tarnbrand: " + error);
        return 1;
    }
    WriteStandardText(StandardHandle::Output, L"wrote " + options->output);
    return 0;
}
