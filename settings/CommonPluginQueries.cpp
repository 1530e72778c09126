#include "settings/CommonPluginQueries.h"

#include <windows.h>

#include "shared/Common.h"

int32_t CommonPluginQueries::Facilities(const std::string& path) {
  return Contract().GetPluginFacilities(path);
}

TSENSORINFO CommonPluginQueries::SensorInfo(const std::string& path) {
  TSENSORINFO info;
  Contract().GetSensorInfo(path, info);
  // The dialogs show no icon: the bitmap handed over is theirs to free.
  if (info.Icon) DeleteObject(static_cast<HGDIOBJ>(info.Icon));
  info.Icon = nullptr;
  return info;
}

TWARNINGINFO CommonPluginQueries::WarningInfo(const std::string& path) {
  TWARNINGINFO info;
  Contract().GetWarningInfo(path, info);
  return info;
}

std::string CommonPluginQueries::Name(const std::string& path) { return Contract().GetPluginName(path); }

bool CommonPluginQueries::IsInstalled(const std::string& fileName) {
  return Contract().IsPluginInstalled(fileName);
}

void CommonPluginQueries::ShowSettings(const std::string& path) { Contract().ShowPluginSettings(path); }
