#include "sensors/WarningHost.h"

#include "shared/Globals.h"
#include "sensors/BuiltInsCode.h"
#include "shared/Common.h"
#include "shared/VBFunctions.h"

namespace {

class SystemHost : public TWarningHost {
 public:
  std::string GetSetting(const std::string& section, const std::string& name,
                         const std::string& def) override {
    return ::GetSetting(kAppName, section, name, def);
  }
  std::string GetWarningSetting(int index, const std::string& section, const std::string& name,
                                const std::string& def) override {
    return Contract().GetWarningSetting(index, section, name, def);
  }
  TBuiltInWarning BuiltInWarning(int32_t number) override { return ::BuiltInWarning(number); }
  std::string PluginPath(int32_t number) override { return Contract().PluginPath(number); }
  int32_t GetPluginFacilities(const std::string& path) override {
    return Contract().GetPluginFacilities(path);
  }
  void GetWarningInfo(const std::string& path, TWARNINGINFO& info) override {
    Contract().GetWarningInfo(path, info);
  }
  TWarningFunction LoadWarningFunction(const std::string& path) override {
    return Contract().LoadWarningFunction(path);
  }
  bool StoppedResponding(TWarningFunction fn) override {
    return PluginLoader().StoppedResponding(reinterpret_cast<const void*>(fn));
  }
  bool CallWarningFunction(TWarningFunction fn, int32_t threshold) override {
    return Contract().CallWarningFunction(fn, threshold);
  }
  void RaiseWarning(const std::string& text) override { ::RaiseWarning(text); }
  void ShowError(const std::string& message, const std::string& code,
                 const std::string& description) override {
    ::ShowError(message, code, description);
  }
};

}  // namespace

TWarningHost& SystemWarningHost() {
  static SystemHost host;
  return host;
}
