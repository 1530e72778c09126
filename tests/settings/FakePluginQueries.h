#pragma once
// Plug-in answers from a table, by full path, for native tests.
#include <map>
#include <string>
#include <vector>

#include "settings/core/GeneralSettings.h"
#include "shared/core/PluginOperations.h"
#include "tests/fakes/MemorySettings.h"

struct FakePlugin {
  int32_t mask = 0;
  std::string name;
  TSENSORINFO sensor;
  TWARNINGINFO warning;
};

class FakePluginQueries : public PluginQueries {
 public:
  explicit FakePluginQueries(MemorySettings& settings) : settings_(settings) {}
  std::map<std::string, FakePlugin> files;
  std::vector<std::string> shown;  // paths whose settings were shown

  int32_t Facilities(const std::string& path) override {
    auto it = files.find(path);
    return it == files.end() ? 0 : it->second.mask;
  }
  TSENSORINFO SensorInfo(const std::string& path) override {
    auto it = files.find(path);
    return it == files.end() ? TSENSORINFO() : it->second.sensor;
  }
  TWARNINGINFO WarningInfo(const std::string& path) override {
    auto it = files.find(path);
    return it == files.end() ? TWARNINGINFO() : it->second.warning;
  }
  std::string Name(const std::string& path) override {
    auto it = files.find(path);
    return it == files.end() ? std::string() : it->second.name;
  }
  // As the contract asks it (PluginContract::IsPluginInstalled).
  bool IsInstalled(const std::string& fileName) override {
    const int32_t n = InstalledPluginCount(settings_);
    for (int i = 1; i <= n; ++i)
      if (settings_.GetSetting(kAppName, "Plugins", std::to_string(i), "") == fileName) return true;
    return false;
  }
  void ShowSettings(const std::string& path) override { shown.push_back(path); }

  // A plug-in with a sensor and a warning named after its file.
  void AddBoth(const std::string& path, const std::string& tag, int32_t width = 50) {
    FakePlugin p;
    p.mask = PluginHasSensor | PluginHasWarning;
    p.name = tag + " Plugin";
    p.sensor.Description = tag + " sensor";
    p.sensor.Width = width;
    p.warning.Description = tag + " warning";
    p.warning.Val = "units";
    p.warning.Min = 10;
    p.warning.Max = 90;
    p.warning.Increment = 10;
    files[path] = p;
  }

 private:
  MemorySettings& settings_;
};
