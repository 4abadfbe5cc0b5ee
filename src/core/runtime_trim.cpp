// Linked into Brandwick.exe, which is built without C++ exceptions. The C++ library reports a failed
// allocation, a too-long string or a bad index through these functions and operator new, and its own versions
// throw: throwing alone would bring in the unwinder and the exception runtime, a quarter of the program's size.
// Here each of those failures ends the program at once, as an uncaught exception would; every file it writes
// is replaced whole or not at all, so nothing on disk is left half-written.
#include <cstdlib>
#include <new>

namespace {
[[noreturn]] void Fail() { std::abort(); }
} // namespace

namespace __gnu_cxx {
void __verbose_terminate_handler() { Fail(); }
} // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { Fail(); }
void __throw_bad_array_new_length() { Fail(); }
void __throw_bad_cast() { Fail(); }
void __throw_bad_typeid() { Fail(); }
void __throw_bad_exception() { Fail(); }
void __throw_bad_function_call() { Fail(); }
void __throw_bad_optional_access() { Fail(); }
void __throw_logic_error(const char*) { Fail(); }
void __throw_domain_error(const char*) { Fail(); }
void __throw_invalid_argument(const char*) { Fail(); }
void __throw_length_error(const char*) { Fail(); }
void __throw_out_of_range(const char*) { Fail(); }
void __throw_out_of_range_fmt(const char*, ...) { Fail(); }
void __throw_runtime_error(const char*) { Fail(); }
void __throw_range_error(const char*) { Fail(); }
void __throw_overflow_error(const char*) { Fail(); }
void __throw_underflow_error(const char*) { Fail(); }
} // namespace std

// The library's operator new throws std::bad_alloc; these end the program instead.
void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1))
        return p;
    Fail();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
