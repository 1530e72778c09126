#pragma once
// How the plug-in contract reaches libraries. The product's loader uses the
// system's load calls and the guarded call path; native tests pass a fake.
#include <cstdint>
#include <string>

class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;

  // The load call's raw answer; see IsLoadedHandle.
  virtual uintptr_t Load(const std::string& path) = 0;
  // The address of an export, or nullptr.
  virtual void* Find(uintptr_t module, const char* name) = 0;
  virtual void Release(uintptr_t module) = 0;

  // Runs body(context), which calls target, so that a processor exception
  // inside it raises PluginFault once the call has been abandoned. body must
  // not let a C++ exception escape (see GuardedCalls.h).
  virtual void Invoke(void* target, void (*body)(void*), void* context) = 0;
};

// A library counts as loaded when the load call answers a handle above 32
// (the rule of the 16-bit era that Windows 9x kept for its load calls).
inline bool IsLoadedHandle(uintptr_t handle) { return handle > 32; }
