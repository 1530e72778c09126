#pragma once
// The module (program or library) this code is linked into: a library's own
// resources and window classes live there, not in the program that loaded it.
#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
