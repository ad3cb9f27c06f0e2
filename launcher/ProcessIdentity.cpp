#include "launcher/ProcessIdentity.h"

#include "base/Environment.h"
#include "base/SystemFunction.h"
#include "launcher/Launcher.h"
#include "launcher/LifecycleRules.h"
#include "report/Reporter.h"

namespace tarn {
namespace {

// Set only in the environment of a launcher process this one starts, which takes it out of its own
// at once: the Java program and what it starts never see it.
constexpr wchar_t kHandedOnId[] = L"TARN_APP_USER_MODEL_ID";

constexpr unsigned kNotAPriority = 293;
constexpr unsigned kAppUserModelIdRefused = 294;

// Before any window of this process, the splash and every message box included.
bool TakeAppUserModelId(const Launcher& launcher, const WString& id) {
    if (id.empty()) return true;
    HRESULT result = E_INVALIDARG;
    if (IsAppUserModelId(id)) {
        using SetExplicitId = HRESULT(WINAPI*)(PCWSTR);
        const auto set = SystemFunction<SetExplicitId>(L"shell32.dll", "SetCurrentProcessExplicitAppUserModelID");
        result = set != nullptr ? set(id.c_str()) : E_NOTIMPL;
    }
    if (FAILED(result)) ShowFormattedError(launcher.reporter, kAppUserModelIdRefused, {id, static_cast<long long>(result)});
    return SUCCEEDED(result);
}

}  // namespace

bool TakeProcessIdentity(Launcher& launcher, const WString& appUserModelId, const WString& priority) {
    ProcessIdentity& identity = launcher.identity;
    WString handedOn;
    if (LookUpVariable(kHandedOnId, handedOn)) SetEnvironmentVariableW(kHandedOnId, nullptr);
    identity.appUserModelId = appUserModelId.empty() ? handedOn : appUserModelId;
    if (!TakeAppUserModelId(launcher, identity.appUserModelId)) return false;
    if (priority.empty()) return true;
    static constexpr DWORD kClasses[] = {0, IDLE_PRIORITY_CLASS, BELOW_NORMAL_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS,
                                         ABOVE_NORMAL_PRIORITY_CLASS, HIGH_PRIORITY_CLASS, 0};
    // Realtime, named so that it can be refused: it can make the whole machine stop responding.
    identity.priorityClass = kClasses[static_cast<int>(PriorityLevelOf(priority))];
    if (identity.priorityClass == 0) {
        ShowFormattedError(launcher.reporter, kNotAPriority, {priority});
        return false;
    }
    SetPriorityClass(GetCurrentProcess(), identity.priorityClass);
    return true;
}

void HandOnIdentity(const ProcessIdentity& identity) {
    if (!identity.appUserModelId.empty()) SetEnvironmentVariableW(kHandedOnId, identity.appUserModelId.c_str());
}

void GivePriority(const ProcessIdentity& identity, HANDLE process) {
    if (identity.priorityClass != 0) SetPriorityClass(process, identity.priorityClass);
}

}  // namespace tarn
