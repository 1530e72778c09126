#include "shared/Common.h"

#include "shared/VBFunctions.h"
#include "shared/core/PluginOperations.h"
#include "shared/win32/Win32LibraryLoader.h"

namespace {

// The process's one loader (with the functions that stopped responding) and
// one contract: the registry, and the table PluginLibraries that the panel
// and warning lists share.
Win32LibraryLoader& Loader() {
  static Win32LibraryLoader loader;
  return loader;
}

PluginContract& Contract() {
  static RegistrySettings settings;
  static PluginContract contract(Loader(), settings);
  return contract;
}

}  // namespace

std::string GetPanelSetting(int index, const std::string& section, const std::string& name,
                            const std::string& def) {
  return Contract().GetPanelSetting(index, section, name, def);
}

void SavePanelSetting(int index, const std::string& section, const std::string& name,
                      const std::string& value) {
  Contract().SavePanelSetting(index, section, name, value);
}

std::string GetWarningSetting(int index, const std::string& section, const std::string& name,
                              const std::string& def) {
  return Contract().GetWarningSetting(index, section, name, def);
}

void SaveWarningSetting(int index, const std::string& section, const std::string& name,
                        const std::string& value) {
  Contract().SaveWarningSetting(index, section, name, value);
}

int32_t GetPluginFacilities(const std::string& path) { return Contract().GetPluginFacilities(path); }
void GetSensorInfo(const std::string& path, TSENSORINFO& info) { Contract().GetSensorInfo(path, info); }
void GetWarningInfo(const std::string& path, TWARNINGINFO& info) {
  Contract().GetWarningInfo(path, info);
}
std::string GetPluginName(const std::string& path) { return Contract().GetPluginName(path); }
void ShowPluginSettings(const std::string& path) { Contract().ShowPluginSettings(path); }
bool IsPluginInstalled(const std::string& fileName) { return Contract().IsPluginInstalled(fileName); }
std::string PluginPath(int32_t number) { return Contract().PluginPath(number); }

TSensorFunction LoadSensorFunction(const std::string& path, TSensorValue* value) {
  return Contract().LoadSensorFunction(path, value);
}
TWarningFunction LoadWarningFunction(const std::string& path) {
  return Contract().LoadWarningFunction(path);
}
void ReleasePluginLibraries() { Contract().ReleasePluginLibraries(); }
void ForgetPluginLibraries() { Contract().ForgetPluginLibraries(); }
int PluginLibraryCount() { return Contract().PluginLibraryCount(); }

void CallSensorFunction(TSensorFunction fn, char* buffer80) {
  Contract().CallSensorFunction(fn, buffer80);
}
std::string CallSensorFunction(TSensorFunction fn) { return Contract().CallSensorFunction(fn); }
bool CallWarningFunction(TWarningFunction fn, int32_t threshold) {
  return Contract().CallWarningFunction(fn, threshold);
}
int32_t CallSensorValue(TSensorValue fn) { return Contract().CallSensorValue(fn); }

void TakeOutOfService(void* fn) { Loader().TakeOutOfService(fn); }
bool StoppedResponding(const void* fn) { return Loader().StoppedResponding(fn); }
