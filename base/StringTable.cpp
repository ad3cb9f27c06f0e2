#include "base/StringTable.h"

#include <windows.h>

namespace tarn {

// RT_STRING blocks hold 16 counted entries each: block id / 16 + 1, entry id % 16.
static bool EntryInBlock(HMODULE module, HRSRC found, unsigned id, WString* target) {
    HGLOBAL loaded = LoadResource(module, found);
    const auto* units = static_cast<const WCHAR*>(LockResource(loaded));
    const DWORD size = SizeofResource(module, found) / sizeof(WCHAR);
    if (units == nullptr) return false;
    DWORD at = 0;
    for (unsigned entry = 0; entry < id % 16; ++entry) {
        if (at >= size) return false;
        at += 1 + units[at];
    }
    if (at >= size || units[at] == 0 || at + 1 + units[at] > size) return false;
    if (target != nullptr) target->assign(units + at + 1, units[at]);
    return true;
}

bool StringTableLookup(unsigned id, WString& target) {
    HMODULE module = GetModuleHandleW(nullptr);
    const auto block = MAKEINTRESOURCEW(id / 16 + 1);
    HRSRC neutral = FindResourceExW(module, RT_STRING, block, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (neutral == nullptr || !EntryInBlock(module, neutral, id, nullptr)) return false;
    HRSRC preferred = FindResourceW(module, block, RT_STRING);
    if (preferred == nullptr) return false;
    return EntryInBlock(module, preferred, id, &target);
}

WString LoadText(unsigned id) {
    WString text;
    StringTableLookup(id, text);
    return text;
}

}  // namespace tarn
