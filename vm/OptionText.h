// Text rules of the VM options: tokenising "Virtual Machine Parameters", quotes, number groups,
// memory shares and the VM thread's stack size. Windows-free: the memory figures come from the caller.
#pragma once
#include <cstdint>
#include <vector>

#include "base/Text.h"

namespace tarn {

// Where the token that starts at start ends: the first space outside a double-quoted run, or the end.
int NextParameterEnd(const WString& text, int start);
// The raw tokens of a parameter text, in order; quotes are still in them.
WStringList SplitVmParameters(const WString& text);
// Removes each pair of double quotes; a doubled quote right after a closing one is kept once.
void RemoveQuotes(WString& token);

struct NumberGroups {
    size_t prefixLength = 0;         // up to the first digit or ':'
    std::vector<uint64_t> numbers;   // ':'-separated, the last character not included; a number
                                     // too large for 64 bits is kUnreadableNumber, never wrapped
};
inline constexpr uint64_t kUnreadableNumber = UINT64_MAX;
NumberGroups ParseNumberGroups(const WString& text);

// What a memory share is a share of: physical memory (P) or free address space (T).
enum class MemoryBase { PhysicalMemory, FreeAddressSpace };
using MemoryBaseReader = uint64_t (*)(MemoryBase);

// percent of base, bounded by a maximum and then a minimum (both in megabytes; 0 = none), in kilobytes.
uint32_t MemoryShareKilobytes(uint64_t baseBytes, uint32_t percent, uint32_t minimumMb, uint32_t maximumMb);
// "-Xms", "-Xmx" or "-Xss" ending in P, p, T or t.
bool IsRelativeMemoryOption(const WString& token);
// Replaces the share by an absolute size in kilobytes, e.g. -Xmx50:256:1024P becomes -Xmx1048576K.
// A number beyond 32 bits leaves the token as written, for the VM to reject by its own words.
void ResolveRelativeMemoryOption(WString& token, MemoryBaseReader readBase);
// The stack size in bytes that a "-Xss" token asks for, exactly as the VM is told it; 0 when it
// cannot be read or exceeds what a thread's stack size holds in this process (size_t).
uint64_t StackSizeOfOption(const WString& token);

}  // namespace tarn
