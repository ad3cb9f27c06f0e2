// The launcher catches no exception: the standard library raises one only for exhausted memory or
// an argument out of range, and then the process ends. These definitions end it directly. They
// replace the library's throwing helpers, which would bring its exception classes, their string
// copies and the verbose terminate handler's name demangler and printf family into the executable.
// Linked into the shipped launchers only; the tests keep the library's own helpers.
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#ifdef _LIBCPP_VERSION
#include <windows.h>
#endif

namespace {
[[noreturn]] void EndProcess() { std::abort(); }
}  // namespace

#ifdef _LIBCPP_VERSION
// libc++ (the ARM64 launchers, compiled without exceptions): its headers end a failed check in
// __libcpp_verbose_abort; memory comes from these operators rather than its throwing ones; the
// string members are compiled here rather than taken from its library, which was built to throw;
// and static locals are guarded here, as its guard brings the terminate handler.
template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
template std::string std::operator+(const char*, const std::string&);

_LIBCPP_BEGIN_NAMESPACE_STD
[[noreturn]] void __libcpp_verbose_abort(const char*, ...) { EndProcess(); }
_LIBCPP_END_NAMESPACE_STD
namespace std {
const nothrow_t nothrow{};  // the library's own comes with its throwing operator new
}  // namespace std
extern "C" [[noreturn]] void __cxa_pure_virtual() { EndProcess(); }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }
void* operator new(std::size_t size) {
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) EndProcess();
    return memory;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

// The guard's first byte tells compiled code that the object is ready; its second word is taken by
// the one thread that initialises it, while others wait for the first byte.
extern "C" int __cxa_guard_acquire(std::uint64_t* guard) {
    auto* ready = reinterpret_cast<unsigned char*>(guard);
    auto* owner = reinterpret_cast<std::uint32_t*>(guard) + 1;
    for (;;) {
        if (__atomic_load_n(ready, __ATOMIC_ACQUIRE) != 0) return 0;
        std::uint32_t free = 0;
        if (__atomic_compare_exchange_n(owner, &free, 1, false, __ATOMIC_ACQUIRE, __ATOMIC_RELAXED)) {
            if (__atomic_load_n(ready, __ATOMIC_ACQUIRE) == 0) return 1;
            __atomic_store_n(owner, 0, __ATOMIC_RELEASE);
            return 0;
        }
        SwitchToThread();
    }
}
extern "C" void __cxa_guard_release(std::uint64_t* guard) {
    __atomic_store_n(reinterpret_cast<unsigned char*>(guard), 1, __ATOMIC_RELEASE);
    __atomic_store_n(reinterpret_cast<std::uint32_t*>(guard) + 1, 0, __ATOMIC_RELEASE);
}
extern "C" void __cxa_guard_abort(std::uint64_t* guard) {
    __atomic_store_n(reinterpret_cast<std::uint32_t*>(guard) + 1, 0, __ATOMIC_RELEASE);
}
#else
namespace std {
[[noreturn]] void __throw_bad_exception() { EndProcess(); }
[[noreturn]] void __throw_bad_alloc() { EndProcess(); }
[[noreturn]] void __throw_bad_array_new_length() { EndProcess(); }
[[noreturn]] void __throw_bad_cast() { EndProcess(); }
[[noreturn]] void __throw_bad_typeid() { EndProcess(); }
[[noreturn]] void __throw_logic_error(const char*) { EndProcess(); }
[[noreturn]] void __throw_domain_error(const char*) { EndProcess(); }
[[noreturn]] void __throw_invalid_argument(const char*) { EndProcess(); }
[[noreturn]] void __throw_length_error(const char*) { EndProcess(); }
[[noreturn]] void __throw_out_of_range(const char*) { EndProcess(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { EndProcess(); }
[[noreturn]] void __throw_runtime_error(const char*) { EndProcess(); }
[[noreturn]] void __throw_range_error(const char*) { EndProcess(); }
[[noreturn]] void __throw_overflow_error(const char*) { EndProcess(); }
[[noreturn]] void __throw_underflow_error(const char*) { EndProcess(); }
[[noreturn]] void __throw_bad_function_call() { EndProcess(); }
[[noreturn]] void __throw_system_error(int) { EndProcess(); }
[[noreturn]] void __throw_future_error(int) { EndProcess(); }
}  // namespace std

namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() { EndProcess(); }
}  // namespace __gnu_cxx
#endif
