// The "JVM Type" policy: which of a runtime's virtual machines the launcher prefers.
// Windows-free, shared by the settings reader and the runtime search.
#pragma once
#include <cstdint>

namespace tarn {

enum JvmType : int32_t { kClientFirst = 0, kServerOnly = 1, kServerFirst = 2 };

}  // namespace tarn
