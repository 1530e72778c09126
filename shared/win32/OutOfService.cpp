#include "shared/win32/OutOfService.h"

#include <algorithm>

namespace {

void KeepLibraryOf(const void* fn) {
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(fn, &info, sizeof info) == 0 || !info.AllocationBase) return;
  HMODULE module = static_cast<HMODULE>(info.AllocationBase);
  if (module == GetModuleHandleA(nullptr)) return;
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  LoadLibraryA(path);
}

}  // namespace

bool OutOfService::Contains(const void* fn) {
  Lock lock(lock_);
  return std::find(functions_.begin(), functions_.end(), fn) != functions_.end();
}

void OutOfService::Add(void* fn) {
  {
    Lock lock(lock_);
    if (std::find(functions_.begin(), functions_.end(), fn) != functions_.end()) return;
    functions_.push_back(fn);
  }
  KeepLibraryOf(fn);
}
