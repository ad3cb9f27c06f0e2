// Functions of system DLLs that only some starts need (the dialogs' shell, OLE and common
// controls), loaded from the system folder on first use: a start that shows no dialog does not
// pay for mapping them. The DLLs stay loaded, as a process-wide import would.
#pragma once
#include <windows.h>

namespace tarn {

// The function, or null when the DLL or the function is not there.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module == nullptr ? nullptr : reinterpret_cast<Function>(GetProcAddress(module, name));
}

}  // namespace tarn
