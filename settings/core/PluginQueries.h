#pragma once
// What the dialogs ask of plug-in files. The library answers through the
// plug-in contract (each call loads the file, asks and releases it); native
// tests answer from a table.
#include <cstdint>
#include <string>

#include "shared/core/PluginOperations.h"
#include "shared/core/SettingsSource.h"

class PluginQueries {
 public:
  virtual ~PluginQueries() = default;
  // The facility mask; 0 when the file does not load or is no plug-in.
  virtual int32_t Facilities(const std::string& path) = 0;
  virtual TSENSORINFO SensorInfo(const std::string& path) = 0;
  virtual TWARNINGINFO WarningInfo(const std::string& path) = 0;
  // The plug-in's own name; empty on any failure.
  virtual std::string Name(const std::string& path) = 0;
  // A file name (no folder) equals one of the installed entries, case counts.
  virtual bool IsInstalled(const std::string& fileName) = 0;
  virtual void ShowSettings(const std::string& path) = 0;
};

// "InstalledDir" followed by the file name stored under the plug-in's number.
std::string InstalledPluginPath(SettingsSource& settings, int32_t number);
