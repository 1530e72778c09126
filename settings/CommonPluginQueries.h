#pragma once
// Plug-in questions answered through the plug-in contract (shared/Common.h):
// each call loads the file, asks it and releases it again.
#include "settings/core/PluginQueries.h"

class CommonPluginQueries : public PluginQueries {
 public:
  int32_t Facilities(const std::string& path) override;
  TSENSORINFO SensorInfo(const std::string& path) override;
  TWARNINGINFO WarningInfo(const std::string& path) override;
  std::string Name(const std::string& path) override;
  bool IsInstalled(const std::string& fileName) override;
  void ShowSettings(const std::string& path) override;
};
