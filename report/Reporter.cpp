#include "report/Reporter.h"

#include <iterator>

#include "base/Files.h"
#include "base/LogFile.h"
#include "base/PathText.h"
#include "base/StringTable.h"
#include "report/EventLog.h"
#include "report/StandardError.h"

namespace tarn {

// The message as log lines: its first line after "message: ", the others indented.
static void LogMessage(const WString& text) {
    if (!LogEnabled()) return;
    WStringList lines{L"message: "};
    for (const wchar_t c : text) {
        if (c != L'\n') {
            lines.back() += c;
        } else {
            lines.push_back(L"  ");
        }
    }
    while (lines.size() > 1 && lines.back() == L"  ") lines.pop_back();
    AppendLogLines(lines);
}

bool WindowsCanBeSeen() {
    DWORD session = 1;
    USEROBJECTFLAGS flags{};
    if (ProcessIdToSessionId(GetCurrentProcessId(), &session) && session == 0) return false;
    return !GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, nullptr) ||
           (flags.dwFlags & WSF_VISIBLE) != 0;
}

int ShowErrorBox(const Reporter& reporter, const WString& text) {
    LogMessage(text);
    switch (reporter.userInterface) {
        case UserInterface::Windows: return MessageBoxW(reporter.owner, text.c_str(), nullptr, MB_ICONERROR);
        case UserInterface::Console: WriteStandardError(text); break;
        case UserInterface::EventLog:
            WriteErrorEvent(reporter.eventSource.empty() ? FileNameOf(ModulePath()) : reporter.eventSource, text);
            break;
    }
    return IDOK;
}

int ShowErrorBox(const Reporter& reporter, unsigned textId) { return ShowErrorBox(reporter, LoadText(textId)); }

void ShowFormattedError(const Reporter& reporter, unsigned formatId, std::initializer_list<FormatArg> args) {
    ShowErrorBox(reporter, Format(LoadText(formatId), args));
}

// A format taking a detail and a Win32 error code, printed as a signed number.
static void ShowErrorWithCode(const Reporter& reporter, unsigned formatId, const WString& detail, DWORD lastError) {
    ShowFormattedError(reporter, formatId, {detail, static_cast<long long>(static_cast<LONG>(lastError))});
}

// The error code is read first: loading the texts must not replace the error being reported.
void ShowWindowsError(const Reporter& reporter, unsigned descriptionId) {
    const DWORD lastError = GetLastError();
    ShowErrorWithCode(reporter, 202, LoadText(descriptionId), lastError);
}

void ShowWindowsErrorWithDetail(const Reporter& reporter, unsigned formatId, const WString& detail) {
    const DWORD lastError = GetLastError();
    ShowErrorWithCode(reporter, formatId, detail, lastError);
}

WString SystemErrorText(DWORD error) {
    wchar_t buffer[512];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    WString text(buffer, length);
    text.erase(text.find_last_not_of(L". \r\n") + 1);  // npos + 1 empties a text of only those
    return text.empty() ? LoadText(225) : text;
}

void ShowSystemError(const Reporter& reporter, unsigned formatId, const WString& detail, DWORD error) {
    ShowFormattedError(reporter, formatId,
                       {detail, SystemErrorText(error), static_cast<long long>(static_cast<LONG>(error))});
}

unsigned JniReasonTextId(long jniResult) { return jniResult <= -1 && jniResult >= -6 ? 224 - jniResult : 0; }

void ShowCreateVmError(const Reporter& reporter, long jniResult) {
    const unsigned reasonId = JniReasonTextId(jniResult);
    ShowFormattedError(reporter, 203, {LoadText(213), reasonId == 0 ? WString() : LoadText(reasonId)});
}

}  // namespace tarn
