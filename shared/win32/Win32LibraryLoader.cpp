#include "shared/win32/Win32LibraryLoader.h"

#include <windows.h>

#include "shared/core/PluginFault.h"
#include "shared/win32/GuardedCall.h"

uintptr_t Win32LibraryLoader::Load(const std::string& path) {
  return reinterpret_cast<uintptr_t>(LoadLibraryA(path.c_str()));
}

void* Win32LibraryLoader::Find(uintptr_t module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

void Win32LibraryLoader::Release(uintptr_t module) { FreeLibrary(reinterpret_cast<HMODULE>(module)); }

void Win32LibraryLoader::Invoke(void*, void (*body)(void*), void* context) {
  const unsigned long code = GuardedCall(body, context);
  if (code != 0) throw PluginFault(code, FaultText(code));
}
