#pragma once
// Where portable code reads and writes settings. The product passes the
// registry store; native tests pass an in-memory one. The semantics are those
// of GetSetting/SaveSetting: a missing or empty value reads as the default,
// and a write that cannot be stored raises CvlError.
#include <cstdint>
#include <string>
#include <utility>

#include "shared/core/VBText.h"

class SettingsSource {
 public:
  virtual ~SettingsSource() = default;
  virtual std::string GetSetting(const std::string& app, const std::string& section,
                                 const std::string& key, const std::string& def) = 0;
  virtual void SaveSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

// The application name every deliverable of the bar uses for its own keys.
constexpr const char* kAppName = "Corvella";

// A file of the installation: "InstalledDir" (which ends in a backslash)
// followed by name.
inline std::string InstalledPath(SettingsSource& settings, const std::string& name = "") {
  return settings.GetSetting(kAppName, "Settings", "InstalledDir", "") + name;
}

// One section of the bar's own key.
class SettingsSection {
 public:
  SettingsSection(SettingsSource& settings, std::string section)
      : settings_(settings), section_(std::move(section)) {}
  std::string Get(const std::string& key, const std::string& def) const {
    return settings_.GetSetting(kAppName, section_, key, def);
  }
  // A flag is on only for the exact text "TRUE".
  bool IsOn(const std::string& key, const char* def) const { return Get(key, def) == "TRUE"; }
  // Read as leniently as the stored numbers always were.
  int32_t Number(const std::string& key, const char* def) const { return TextToInt(Get(key, def)); }
  void Put(const std::string& key, const std::string& value) const {
    settings_.SaveSetting(kAppName, section_, key, value);
  }
  void PutFlag(const std::string& key, bool on) const { Put(key, on ? "TRUE" : "FALSE"); }

 private:
  SettingsSource& settings_;
  std::string section_;
};
