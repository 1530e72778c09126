// Linked into Main.exe only. The runtime's reference-counted strings carry a
// compatibility entry of the random-number device, which would pull the whole
// device and with it a second string implementation into the program. The
// program has no use for random numbers, so the entry is answered here.
#include <cstdlib>

extern "C" void _ZNSt13random_device7_M_initEPKcj() { std::abort(); }
