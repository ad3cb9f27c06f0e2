// Read access to keys under HKEY_LOCAL_MACHINE, in a chosen registry view.
#pragma once
#include <windows.h>

#include "base/Handles.h"
#include "base/Text.h"

namespace tarn {

enum class RegistryView { Own = 0, Wide64 = 1, Wide32 = 2 };

REGSAM ViewAccess(RegistryView view);

class RegistryKeyReader {
public:
    bool Open(const WString& subkey, RegistryView view);
    WStringList SubkeyNames() const;
    // The value's text up to its first NUL, whatever its registry type; false when absent or empty.
    bool ReadText(const WString& name, WString& text) const;
    HKEY Key() const { return key_.get(); }

private:
    KeyHolder key_;
    WString subkey_;
};

}  // namespace tarn
