#pragma once
// The product's library loader: the system's load calls, and every call into
// library code through the structured-exception guard.
#include "shared/core/LibraryLoader.h"

class Win32LibraryLoader : public LibraryLoader {
 public:
  uintptr_t Load(const std::string& path) override;
  void* Find(uintptr_t module, const char* name) override;
  void Release(uintptr_t module) override;
  // A processor exception inside body raises PluginFault.
  void Invoke(void* target, void (*body)(void*), void* context) override;
};
