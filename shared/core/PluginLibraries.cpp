#include "shared/core/PluginLibraries.h"

bool PluginLibraryTable::Add(uintptr_t handle) {
  if (Full()) return false;
  slots_[count_++] = handle;
  return true;
}

void PluginLibraryTable::ReleaseAll(LibraryLoader& loader) {
  const int n = count_;
  count_ = 0;
  for (int i = 0; i < n; ++i) loader.Release(slots_[i]);
}
