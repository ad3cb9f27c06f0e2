// The rules of the program's life around main that need no Windows: which exit codes ask for a
// restart, how many restarts a time window allows, the priority names and the form of an
// AppUserModelID. Windows-free.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Text.h"

namespace tarn {

// "Restart Exit Codes": whole numbers in the signed 32-bit range, separated by ';' or ',', spaces
// around each allowed, empty entries ignored. False for anything else; codes then holds nothing.
bool ParseExitCodes(const WString& text, std::vector<int32_t>& codes);

// At most `most` (up to kMostEver) restarts within any `windowMs` milliseconds: a run that keeps
// asking for a restart is a crash loop, not an update.
class RestartBudget {
public:
    static constexpr size_t kMostEver = 8;
    RestartBudget(size_t most, uint64_t windowMs) : most_(most < kMostEver ? most : kMostEver), windowMs_(windowMs) {}
    // Counts a restart at now (milliseconds, never decreasing) unless `most` were counted in the
    // window that ends at now; a refused restart is not counted.
    bool Allow(uint64_t now);

private:
    size_t most_;
    uint64_t windowMs_;
    size_t counted_ = 0;
    std::array<uint64_t, kMostEver> last_{};  // the last `most` restarts, as a ring: the oldest at counted_ % most_
};

// "Process Priority", any letter case. Realtime is named so that it can be refused by name.
enum class PriorityLevel { Unknown, Idle, BelowNormal, Normal, AboveNormal, High, Realtime };
PriorityLevel PriorityLevelOf(const WString& text);

// The form the shell asks of an application-defined AppUserModelID: 1 to 128 characters, no spaces
// (nor control characters).
bool IsAppUserModelId(const WString& text);

}  // namespace tarn
