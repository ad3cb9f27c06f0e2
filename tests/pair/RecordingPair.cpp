// A paired product for the tests: appends its command line (UTF-16, one line per start) to the
// file of its own name plus ".starts" and exits with the number in TARN_TEST_PAIR_EXIT.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain() {
    wchar_t record[1024] = {};
    const DWORD length = GetModuleFileNameW(nullptr, record, 1000);
    if (length > 0 && length < 1000) {
        wcscat(record, L".starts");
        if (FILE* file = _wfopen(record, L"ab")) {
            const wchar_t* line = GetCommandLineW();
            fwrite(line, sizeof(wchar_t), wcslen(line), file);
            fwrite(L"\n", sizeof(wchar_t), 1, file);
            fclose(file);
        }
    }
    wchar_t code[32] = {};
    return GetEnvironmentVariableW(L"TARN_TEST_PAIR_EXIT", code, 32) != 0 ? _wtoi(code) : 0;
}
