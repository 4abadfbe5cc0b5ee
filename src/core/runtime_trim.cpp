// Linked into Brandwick.exe only. The C++ library reports a failed allocation, a too-long string or a bad
// index through these functions; its own versions throw exception classes that carry copy-on-write strings,
// and its default terminate handler demangles type names with a printf. Together those weigh more than the
// program. Here the same failures throw small exceptions, which the windows' handlers catch all the same,
// and an uncaught exception ends the program without a message.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryError : public std::exception {
public:
    explicit LibraryError(const char* what) noexcept : m_what(what ? what : "std") {}
    const char* what() const noexcept override { return m_what; }

private:
    const char* m_what; // the library passes string literals
};

} // namespace

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_bad_exception() { throw bad_exception(); }
void __throw_logic_error(const char* what) { throw LibraryError(what); }
void __throw_domain_error(const char* what) { throw LibraryError(what); }
void __throw_invalid_argument(const char* what) { throw LibraryError(what); }
void __throw_length_error(const char* what) { throw LibraryError(what); }
void __throw_out_of_range(const char* what) { throw LibraryError(what); }
void __throw_out_of_range_fmt(const char* what, ...) { throw LibraryError(what); }
void __throw_runtime_error(const char* what) { throw LibraryError(what); }
void __throw_range_error(const char* what) { throw LibraryError(what); }
void __throw_overflow_error(const char* what) { throw LibraryError(what); }
void __throw_underflow_error(const char* what) { throw LibraryError(what); }
} // namespace std
