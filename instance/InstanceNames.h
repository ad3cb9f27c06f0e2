// Names of the kernel objects that tie the starts of one executable path together. Windows-free.
#pragma once
#include "base/Text.h"

namespace tarn {

// The executable's full path with every backslash made an underscore: names the shared block and
// the request message. A different folder or spelling of the path gives independent instances.
inline WString InstanceBaseName(WString modulePath) {
    ReplaceAll(modulePath, L'\\', L'_');
    return modulePath;
}
inline WString MainStartedEventName(const WString& baseName) { return baseName + L"_upr_evt"; }
// Later starts take turns on the one argument area: each holds this lock until the running
// instance acknowledges (message of the same name) that it has copied the arguments.
inline WString ForwardLockName(const WString& baseName) { return baseName + L"_fwd_lock"; }
inline WString ForwardTakenName(const WString& baseName) { return baseName + L"_fwd_taken"; }

}  // namespace tarn
