// Linked into every shipped binary. The C runtime's start-up code asks for a
// table of thread-local storage callbacks, and with it the linker writes a
// TLS directory into the binary. Windows 95/98 set up no static TLS for a
// library loaded with LoadLibrary (the plug-ins, for one). Nothing here uses
// static TLS: the runtime keeps its per-thread data with TlsAlloc. Defining
// what start-up asks for keeps the runtime's TLS support, and the directory,
// out of every binary.
//
// What goes with it: the runtime's per-thread clean-up at a thread's end
// (its per-thread blocks of a thread that ends stay allocated; only the
// display thread ends, with the program) and the floating-point reset at a
// thread's start (a new thread keeps the system's own default).
#include <windows.h>

extern "C" {
// No callback: start-up calls it only when it is set.
extern const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback;
const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = nullptr;
// Start-up refers to these only to pull the TLS support in.
int __mingw_initltsdrot_force = 0;
int __mingw_initltsdyn_force = 0;
int __mingw_initltssuo_force = 0;
}
