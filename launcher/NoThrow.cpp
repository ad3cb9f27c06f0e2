// The launcher catches no exception: the standard library raises one only for exhausted memory or
// an argument out of range, and then the process ends. These definitions end it directly. They
// replace the library's throwing helpers, which would bring its exception classes, their string
// copies and the verbose terminate handler's name demangler and printf family into the executable.
// Linked into the shipped launcher only; the tests keep the library's own helpers.
#include <cstdlib>

namespace {
[[noreturn]] void EndProcess() { std::abort(); }
}  // namespace

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
