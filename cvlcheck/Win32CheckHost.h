#pragma once
// The checker's view of the system: the loaded image's export table, GDI's
// answer about a bitmap handle, and the performance counter.
#include "cvlcheck/core/CheckHost.h"

class Win32CheckHost : public CheckHost {
 public:
  Win32CheckHost();
  std::string LoadFailure() override;
  std::vector<std::string> ExportNames(uintptr_t module) override;
  bool HasTlsDirectory(uintptr_t module) override;
  BitmapFacts InspectBitmap(BitmapHandle handle) override;
  void DeleteBitmap(BitmapHandle handle) override;
  double Milliseconds() override;

 private:
  double ticksPerMs_ = 0;  // 0: no performance counter, GetTickCount instead
};
