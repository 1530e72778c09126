#pragma once
// Where portable code reads and writes settings. The product passes the
// registry store; native tests pass an in-memory one. The semantics are those
// of GetSetting/SaveSetting: a missing or empty value reads as the default,
// and a write that cannot be stored raises CvlError.
#include <string>

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
