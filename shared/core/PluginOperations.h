#pragma once
// The plug-in contract's operations over a library loader and a settings
// source: the registry lists of plug-ins, panels and warnings, the questions
// asked of a plug-in, and the table of libraries kept for sensor and warning
// functions. Common gives the process's one over the system's loader and the
// registry; native tests run them with fakes.
#include <cstdint>
#include <string>

#include "shared/core/LibraryLoader.h"
#include "shared/core/PluginContract.h"
#include "shared/core/PluginLibraries.h"
#include "shared/core/SettingsSource.h"

// How many entries of the installed plug-in list ("Plugins": "NoOfPlugins"
// and the file names under "1", "2", ...) the lists built from it take. The
// contract sets no limit, but no installation reaches a thousand plug-ins,
// each chosen by hand. A count up to that is taken as stored (an entry
// without a name included); a negative one as 0; a larger one is damaged, and
// the list is taken as far as its named entries go from "1" on, at most a
// thousand. So a count of "2000000000" neither makes a dialog read two
// billion values nor hides an installation behind them.
constexpr int32_t kMaxInstalledPlugins = 1000;
int32_t InstalledPluginCount(SettingsSource& settings);

class PluginContract {
 public:
  PluginContract(LibraryLoader& loader, SettingsSource& settings)
      : loader_(loader), settings_(settings) {}
  PluginContract(const PluginContract&) = delete;
  PluginContract& operator=(const PluginContract&) = delete;
  // Where the lists are read from.
  SettingsSource& Settings() { return settings_; }

  // Panels\<index>\<section> and Warnings\<index>\<section>.
  std::string GetPanelSetting(int index, const std::string& section, const std::string& name,
                              const std::string& def);
  void SavePanelSetting(int index, const std::string& section, const std::string& name,
                        const std::string& value);
  std::string GetWarningSetting(int index, const std::string& section, const std::string& name,
                                const std::string& def);
  void SaveWarningSetting(int index, const std::string& section, const std::string& name,
                          const std::string& value);
  bool IsPluginInstalled(const std::string& fileName);
  std::string PluginPath(int32_t number);

  // Load, ask, release; never raise.
  int32_t GetPluginFacilities(const std::string& path);
  void GetSensorInfo(const std::string& path, TSENSORINFO& info);
  void GetWarningInfo(const std::string& path, TWARNINGINFO& info);
  std::string GetPluginName(const std::string& path);
  void ShowPluginSettings(const std::string& path);

  // With value, the plug-in's SensorValue from the same load (none when it
  // has none).
  TSensorFunction LoadSensorFunction(const std::string& path, TSensorValue* value = nullptr);
  TWarningFunction LoadWarningFunction(const std::string& path);
  void ReleasePluginLibraries() { libraries_.ReleaseAll(loader_); }
  void ForgetPluginLibraries() { libraries_.Forget(); }
  int PluginLibraryCount() const { return libraries_.Count(); }

  // Guarded calls of sensor and warning functions, built in or plug-in: a
  // processor fault raises PluginFault (a CvlError), a call that does not
  // return within kCallHangLimitMs (or one into a function out of service)
  // PluginHang, a built-in's ordinary error CvlError with its text. A missing
  // sensor function raises; a missing warning function answers false, and
  // only the lowest byte of its result counts (256 is false). The buffer form
  // clears the caller's 80 bytes and allocates nothing unless the call fails;
  // the text is up to the first NUL or all 80 bytes (TextBufferLength).
  void CallSensorFunction(TSensorFunction fn, char* buffer80);
  std::string CallSensorFunction(TSensorFunction fn);
  bool CallWarningFunction(TWarningFunction fn, int32_t threshold);
  int32_t CallSensorValue(TSensorValue fn);

 private:
  void* LoadKeptFunction(const std::string& path, const char* exportName,
                         const char* otherName = nullptr, void** other = nullptr);

  LibraryLoader& loader_;
  SettingsSource& settings_;
  PluginLibraryTable libraries_;
};
