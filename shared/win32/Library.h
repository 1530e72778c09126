#pragma once
// An owned library handle. A library counts as loaded when the system's load
// call answers a handle above 32 (the rule of the 16-bit era that Windows 9x
// kept for its load calls).
#include <windows.h>

#include <string>

// A looked-up export as its real type (through the generic function type,
// which is what the compiler accepts without a warning).
template <typename Proc>
Proc ProcAs(FARPROC p) {
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(p));
}

class Library {
 public:
  Library() = default;
  explicit Library(const std::string& path) { Load(path); }
  ~Library() { Release(); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  bool Load(const std::string& path) {
    Release();
    HMODULE m = LoadLibraryA(path.c_str());
    if (reinterpret_cast<UINT_PTR>(m) > 32) {
      module_ = m;
    } else if (m) {
      FreeLibrary(m);
    }
    return module_ != nullptr;
  }
  void Release() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }
  FARPROC Proc(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

 private:
  HMODULE module_ = nullptr;
};
