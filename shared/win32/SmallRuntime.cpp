// Linked into every shipped binary. The default terminate handler of the C++
// runtime prints a demangled type name, which drags the whole demangler into
// the binary; no exception is meant to reach terminate here, so a plain abort
// is enough and keeps the programs small.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
