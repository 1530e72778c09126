#pragma once
// The warnings' host over the system's catalogue, loader and boxes, for the
// Wine tests of the warning list that run without the bar.
#include "sensors/BuiltInsCode.h"
#include "sensors/core/WarningObjectCode.h"
#include "shared/Common.h"
#include "shared/Globals.h"

class SystemHost : public TWarningHost {
 public:
  TBuiltInWarning BuiltInWarning(int32_t number) override { return ::BuiltInWarning(number); }
  bool StoppedResponding(TWarningFunction fn) override {
    return PluginLoader().StoppedResponding(reinterpret_cast<const void*>(fn));
  }
  void RaiseWarning(const std::string& text) override { ::RaiseWarning(text); }
  void ShowError(const std::string& message, const std::string& code,
                 const std::string& description) override {
    ::ShowError(message, code, description);
  }
};

inline TWarningHost& SystemWarningHost() {
  static SystemHost host;
  return host;
}
