#include "report/EventLog.h"

#include <windows.h>

#include "base/Files.h"
#include "base/Handles.h"

namespace tarn {
namespace {

constexpr DWORD kTextAsItStandsMessage = 1;

// Without this key Event Viewer shows "the description cannot be found" instead of the text.
void RegisterMessageFile(const WString& source) {
    const WString name = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + source;
    KeyHolder key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    const WString module = ModulePath();
    RegSetValueExW(key.get(), L"EventMessageFile", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(module.c_str()),
                   static_cast<DWORD>((module.size() + 1) * sizeof(wchar_t)));
    const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
    RegSetValueExW(key.get(), L"TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types), sizeof types);
}

}  // namespace

void WriteErrorEvent(const WString& source, const WString& text) {
    RegisterMessageFile(source);
    const EventSourceHolder log(RegisterEventSourceW(nullptr, source.c_str()));
    if (!log) return;
    const WString insert = WindowsLines(text);
    const wchar_t* inserts[] = {insert.c_str()};
    ReportEventW(log.get(), EVENTLOG_ERROR_TYPE, 0, kTextAsItStandsMessage, nullptr, 1, 0, inserts, nullptr);
}

}  // namespace tarn
