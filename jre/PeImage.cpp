#include "jre/PeImage.h"

#include <windows.h>

#include "base/Handles.h"
#include "jre/Architecture.h"
#include "jre/ImageMachine.h"

namespace tarn {

namespace {

// Positioned reads; a read that ends early (past the end, or in a range another process has
// locked) fails instead of faulting as a mapped view would.
bool ReadAt(HANDLE file, uint64_t offset, void* buffer, size_t count) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    return ReadFile(file, buffer, static_cast<DWORD>(count), &read, &position) && read == count;
}

}  // namespace

std::optional<uint16_t> ImageMachineOfFile(const WString& path) {
    if (path.empty()) return std::nullopt;
    HandleHolder file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A pipe or device could block a read; an image is a file on disk.
    if (!file || GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
    return ReadImageMachine(
        [&file](uint64_t offset, void* buffer, size_t count) { return ReadAt(file.get(), offset, buffer, count); });
}

uint16_t RunningMachine() {
    using IsWow64Process2Function = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
    // Loaded from kernel32, which every process has mapped already.
    const auto isWow64Process2 = reinterpret_cast<IsWow64Process2Function>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process2"));
    USHORT process = 0, native = 0;
    if (isWow64Process2 != nullptr && isWow64Process2(GetCurrentProcess(), &process, &native)) return native;
    BOOL wow64 = FALSE;
    if (kOwnMachine == kMachineX86 && IsWow64Process(GetCurrentProcess(), &wow64) && wow64) return kMachineX64;
    return kOwnMachine;
}

}  // namespace tarn
