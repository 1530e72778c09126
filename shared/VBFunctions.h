#pragma once
// The settings store: every setting is a string value under
// HKEY_LOCAL_MACHINE\Software\Veltrop\<application>\<section>. Nothing is
// cached; each call opens the key, reads or writes one value and closes it.
#include <string>

#include "shared/core/SettingsSource.h"
#include "shared/core/VBText.h"

// The stored text, or def when the key or value is missing, empty, not a
// string, or unreadable. Never creates anything and never raises.
std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& def);

// Writes a REG_SZ value, creating the key and its parents. Silent when the key
// cannot be created; raises CvlError("Failed to set data for '<key>'") when
// the value itself cannot be stored.
void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value);

// The registry store behind the portable SettingsSource interface.
class RegistrySettings : public SettingsSource {
 public:
  std::string GetSetting(const std::string& app, const std::string& section,
                         const std::string& key, const std::string& def) override {
    return ::GetSetting(app, section, key, def);
  }
  void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override {
    ::SaveSetting(app, section, key, value);
  }
};
