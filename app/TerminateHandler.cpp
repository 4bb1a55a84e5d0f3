// When an exception escapes, the C++ runtime's default answer prints the exception's
// type, demangled, to the standard error stream before it aborts. A windowed program has
// no such stream, and the demangler alone is 46 KB of each binary that links it. This
// definition takes the runtime's place in Tovix.exe and Tovix.dll, so that they abort at
// once, as the runtime's handler does after its message.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
