#pragma once
// The settings store: every setting is a string value under
// HKEY_LOCAL_MACHINE\Software\Veltrop\<application>\<section>. Nothing is
// cached; each call opens the key, reads or writes one value and closes it.
#include <string>
#include <utility>
#include <vector>

#include "shared/core/SettingsSource.h"
#include "shared/core/VBText.h"
#include "shared/win32/RegKey.h"

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

// The same store for a run of reads and writes in one section (a plug-in call
// that reads its state and writes it back): the section's key is opened once,
// on first use, for both reading and writing, and closed when the object
// goes. Where it cannot be opened so (a missing key, a user who may not
// write) reads and writes each get a key of their own, also opened once.
// Values, defaults and failures as above; a value that this run read or
// wrote is not written again unchanged. Other sections go through the
// functions above.
class SectionSettings : public SettingsSource {
 public:
  SectionSettings(const std::string& app, const std::string& section)
      : app_(app), section_(section) {}
  std::string GetSetting(const std::string& app, const std::string& section,
                         const std::string& key, const std::string& def) override;
  void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  bool Mine(const std::string& app, const std::string& section) const {
    return app == app_ && section == section_;
  }
  bool OpenBoth();
  // The value of key as this run last read or wrote it, or nullptr.
  std::string* Known(const std::string& key);
  const RegKey& ForReading();
  const RegKey& ForWriting();

  std::string app_, section_;
  RegKey both_, read_, write_;
  bool bothTried_ = false, readTried_ = false, writeTried_ = false;
  std::vector<std::pair<std::string, std::string>> known_;
};
