#pragma once
// PluginLibraries: the libraries kept loaded for sensor and warning
// functions, one slot per load (a plug-in used by three entries is loaded three
// times and the system counts the loads), shared by the panel and warning lists.
#include <cstdint>

#include "shared/core/LibraryLoader.h"

constexpr int kPluginLibrarySlots = 78;

class PluginLibraryTable {
 public:
  // Records a loaded handle; false when all slots are taken.
  bool Add(uintptr_t handle);
  // Releases every handle in slot order and empties the table.
  void ReleaseAll(LibraryLoader& loader);
  // Empties the table and leaves the libraries loaded.
  void Forget() { count_ = 0; }
  int Count() const { return count_; }
  bool Full() const { return count_ >= kPluginLibrarySlots; }

 private:
  uintptr_t slots_[kPluginLibrarySlots] = {};
  int count_ = 0;
};
