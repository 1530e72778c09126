#pragma once
// An owned library handle. A library counts as loaded when the system's load
// call answers a handle above 32 (the rule of the 16-bit era that Windows 9x
// kept for its load calls).
#include <windows.h>

#include <string>

#include "shared/win32/Handle.h"

// A looked-up export as its real type (through the generic function type,
// which is what the compiler accepts without a warning).
template <typename Proc>
Proc ProcAs(FARPROC p) {
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(p));
}

struct FreeLibraryOf {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};

class Library : public Owned<HMODULE, FreeLibraryOf> {
 public:
  Library() = default;
  explicit Library(const std::string& path) { Load(path); }

  bool Load(const std::string& path) {
    Release();
    HMODULE m = LoadLibraryA(path.c_str());
    if (reinterpret_cast<UINT_PTR>(m) > 32)
      Reset(m);
    else if (m)
      FreeLibrary(m);
    return Valid();
  }
  void Release() { Reset(); }
  FARPROC Proc(const char* name) const { return Valid() ? GetProcAddress(Get(), name) : nullptr; }
};
