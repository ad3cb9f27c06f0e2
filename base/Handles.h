// Owners for Win32 resources: one move-only template, one line per resource kind.
#pragma once
#include <windows.h>
#include <utility>

namespace tarn {

// Traits give the stored type, its invalid value and how to close it.
template <typename Traits>
class UniqueResource {
public:
    using Value = typename Traits::Value;

    UniqueResource() noexcept = default;
    explicit UniqueResource(Value value) noexcept : value_(value) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueResource() { reset(); }

    Value get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return Traits::IsValid(value_); }

    // Closing must not disturb the error code the caller is about to read.
    void reset(Value value = Traits::Invalid()) noexcept {
        if (Traits::IsValid(value_)) {
            DWORD lastError = GetLastError();
            Traits::Close(value_);
            SetLastError(lastError);
        }
        value_ = value;
    }
    Value release() noexcept { return std::exchange(value_, Traits::Invalid()); }
    // For out-parameters: the old value is closed before its address is handed out.
    Value* put() noexcept {
        reset();
        return &value_;
    }

private:
    Value value_ = Traits::Invalid();
};

template <typename T, T invalid, auto close>
struct ResourceTraits {
    using Value = T;
    static T Invalid() noexcept { return invalid; }
    static bool IsValid(T value) noexcept { return value != invalid; }
    static void Close(T value) noexcept { close(value); }
};

// Both null and INVALID_HANDLE_VALUE mean "nothing" for kernel handles and searches.
template <auto close>
struct AnyHandleTraits {
    using Value = HANDLE;
    static HANDLE Invalid() noexcept { return nullptr; }
    static bool IsValid(HANDLE value) noexcept { return value != nullptr && value != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE value) noexcept { close(value); }
};

inline void CloseKernelHandle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void CloseSearch(HANDLE h) noexcept { ::FindClose(h); }
inline void CloseKey(HKEY key) noexcept { ::RegCloseKey(key); }
inline void CloseModule(HMODULE module) noexcept { ::FreeLibrary(module); }
inline void CloseView(void* view) noexcept { ::UnmapViewOfFile(view); }
inline void CloseGdiObject(HGDIOBJ object) noexcept { ::DeleteObject(object); }
inline void CloseWindowHandle(HWND window) noexcept { ::DestroyWindow(window); }
inline void CloseMemoryDc(HDC dc) noexcept { ::DeleteDC(dc); }
inline void CloseEventSource(HANDLE log) noexcept { ::DeregisterEventSource(log); }

using HandleHolder = UniqueResource<AnyHandleTraits<CloseKernelHandle>>;
using FindHandle = UniqueResource<AnyHandleTraits<CloseSearch>>;
using KeyHolder = UniqueResource<ResourceTraits<HKEY, nullptr, CloseKey>>;
using ModuleHolder = UniqueResource<ResourceTraits<HMODULE, nullptr, CloseModule>>;
using ViewHolder = UniqueResource<ResourceTraits<void*, nullptr, CloseView>>;
using GdiObjectHolder = UniqueResource<ResourceTraits<HGDIOBJ, nullptr, CloseGdiObject>>;
using WindowHolder = UniqueResource<ResourceTraits<HWND, nullptr, CloseWindowHandle>>;
using MemoryDcHolder = UniqueResource<ResourceTraits<HDC, nullptr, CloseMemoryDc>>;
using EventSourceHolder = UniqueResource<ResourceTraits<HANDLE, nullptr, CloseEventSource>>;

// Holds a slim reader/writer lock exclusively for a scope. The library's mutex would bring its
// exception classes into the executable for failures a slim lock cannot have.
class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

}  // namespace tarn
