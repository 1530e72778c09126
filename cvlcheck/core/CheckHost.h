#pragma once
// What the checker needs from the system besides the library loader: the
// export table, what a returned bitmap handle is, and a clock. The checker
// program answers with Win32 calls; native tests with a fake.
#include <cstdint>
#include <string>
#include <vector>

#include "shared/core/PluginOperations.h"

struct BitmapFacts {
  bool isBitmap = false;
  int32_t width = 0;
  int32_t height = 0;
};

class CheckHost {
 public:
  virtual ~CheckHost() = default;
  // Why the last load failed, in the system's words.
  virtual std::string LoadFailure() = 0;
  // Every name in the loaded library's export table.
  virtual std::vector<std::string> ExportNames(uintptr_t module) = 0;
  // The library has a thread-local storage directory.
  virtual bool HasTlsDirectory(uintptr_t module) = 0;
  // What a handle that SensorIcon returned is; the checker owns and deletes it.
  virtual BitmapFacts InspectBitmap(BitmapHandle handle) = 0;
  virtual void DeleteBitmap(BitmapHandle handle) = 0;
  // Milliseconds from any fixed point.
  virtual double Milliseconds() = 0;
};
