#include "jre/JvmChoice.h"

namespace tarn {

namespace {

constexpr const wchar_t* kServerVm = L"bin\\server\\jvm.dll";

// The default order: a client-style VM before the server one, JRockit's last.
constexpr const wchar_t* kDefaultOrder[] = {
    L"bin\\client\\jvm.dll", L"bin\\classic\\jvm.dll", L"bin\\hotspot\\jvm.dll", kServerVm, L"bin\\jrockit\\jvm.dll",
};

}  // namespace

JvmLibrary ChooseJvmLibrary(const WString& home, int32_t jvmType, const PathProbe& exists) {
    if (jvmType == kServerOnly || jvmType == kServerFirst) {
        const WString server = home + kServerVm;
        if (exists(server)) return {server, true};
        if (jvmType == kServerOnly) return {};
    }
    for (const wchar_t* subPath : kDefaultOrder) {
        const WString path = home + subPath;
        if (exists(path)) return {path, subPath == kServerVm};
    }
    return {};
}

}  // namespace tarn
