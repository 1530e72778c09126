// Linked into every shipped binary. The default terminate handler of the C++
// runtime prints a demangled type name, which drags the whole demangler into
// the binary; no exception is meant to reach terminate here, so a plain abort
// is enough and keeps the programs small.
//
// The runtime's helpers that raise the standard logic and runtime errors
// (a string asked to grow beyond its limit, a position past its end) are
// replaced too: those error classes keep their texts in the older,
// reference-counted string, and the first of them brings that whole second
// string implementation into the binary. Here they raise an error that is
// still a std::exception with the same text, which is all the programs
// catch.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(const char* text) : text_(text) {}
  const char* what() const noexcept override { return text_; }

 private:
  const char* text_;  // the runtime passes literals
};

}  // namespace

namespace std {
void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* s) { throw RuntimeError(s); }
void __throw_domain_error(const char* s) { throw RuntimeError(s); }
void __throw_invalid_argument(const char* s) { throw RuntimeError(s); }
void __throw_length_error(const char* s) { throw RuntimeError(s); }
void __throw_out_of_range(const char* s) { throw RuntimeError(s); }
void __throw_out_of_range_fmt(const char* s, ...) { throw RuntimeError(s); }
void __throw_runtime_error(const char* s) { throw RuntimeError(s); }
void __throw_range_error(const char* s) { throw RuntimeError(s); }
void __throw_overflow_error(const char* s) { throw RuntimeError(s); }
void __throw_underflow_error(const char* s) { throw RuntimeError(s); }
}  // namespace std
