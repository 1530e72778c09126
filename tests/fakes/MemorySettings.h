#pragma once
// An in-memory settings store with the registry store's semantics, for
// native tests: a missing or empty value reads as the default.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "shared/core/CvlError.h"
#include "shared/core/SettingsSource.h"

class MemorySettings : public SettingsSource {
 public:
  std::string GetSetting(const std::string& app, const std::string& section,
                         const std::string& key, const std::string& def) override {
    ++reads;
    auto it = values.find(std::make_tuple(app, section, key));
    if (it == values.end() || it->second.empty()) return def;
    return it->second;
  }
  void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (failOnWrite == key) throw CvlError("Failed to set data for '" + key + "'");
    values[std::make_tuple(app, section, key)] = value;
    writes.push_back(section + "/" + key + "=" + value);
  }
  // Shortcuts for the bar's own application key.
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    values[std::make_tuple(std::string(kAppName), section, key)] = value;
  }
  std::string Get(const std::string& section, const std::string& key) {
    auto it = values.find(std::make_tuple(std::string(kAppName), section, key));
    return it == values.end() ? "<missing>" : it->second;
  }

  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  std::vector<std::string> writes;  // "section/key=value" in write order
  std::string failOnWrite;          // a key whose write raises
  int reads = 0;
};
