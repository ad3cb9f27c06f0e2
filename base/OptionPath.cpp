#include "base/OptionPath.h"

#include <windows.h>

namespace tarn {

WString SystemShortPath(const WString& path) {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return {};
    WString result(size, L'\0');
    const DWORD written = GetShortPathNameW(path.c_str(), result.data(), size);
    if (written == 0 || written >= size) return {};
    result.resize(written);
    return result;
}

bool FitsCodePage(const WString& text) {
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_THREAD_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &usedDefault);
    if (size > 0) return !usedDefault;
    // A UTF-8 code page takes neither the flag nor the default-character report: it holds every
    // character, except halves of a broken surrogate pair, which strict conversion rejects.
    return WideCharToMultiByte(CP_THREAD_ACP, WC_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr,
                               0, nullptr, nullptr) > 0;
}

static bool PathExists(const WString& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

PathQueries SystemPathQueries(ShortPathReader shortPath) { return {&FitsCodePage, &PathExists, shortPath}; }

}  // namespace tarn
