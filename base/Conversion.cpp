#include "base/Conversion.h"

#include <windows.h>

namespace tarn {

// A failed conversion is not an error: it gives an empty text.
NarrowString ToNarrow(const WString& text) {
    const int size = WideCharToMultiByte(CP_THREAD_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size - 1 <= 0) return {};
    NarrowString result(size - 1, '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
    return result;
}

WString FromNarrow(const NarrowString& text) {
    const int size = MultiByteToWideChar(CP_THREAD_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (size - 1 <= 0) return {};
    WString result(size - 1, L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, text.c_str(), -1, result.data(), size);
    return result;
}

NarrowString ToUtf8(const WString& text) {
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    NarrowString bytes(size > 0 ? size : 0, '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace tarn
