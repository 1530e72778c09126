#include "sensors/core/HardwareSettings.h"

#include <string>

#include "shared/core/VBText.h"

namespace {

constexpr const char* kSection = "LM78";

class SectionReader {
 public:
  explicit SectionReader(SettingsSource& settings) : settings_(settings) {}
  bool Flag(const std::string& key, const char* def) { return Text(key, def) == "TRUE"; }
  int32_t Number(const std::string& key, const char* def) { return TextToInt(Text(key, def)); }

 private:
  std::string Text(const std::string& key, const char* def) {
    return settings_.GetSetting(kAppName, kSection, key, def);
  }
  SettingsSource& settings_;
};

}  // namespace

HardwareSettings ReadHardwareSettings(SettingsSource& settings) {
  SectionReader section(settings);
  HardwareSettings s;
  s.CoreOnPort1 = section.Flag("CorePort1", "FALSE");
  s.CoreVoltNominal = section.Number("CoreVolt", "250");
  for (int n = 1; n <= 4; ++n) s.TempComp[n] = section.Number("TempComp" + std::to_string(n), "0");
  for (int n = 1; n <= 4; ++n)
    s.TempEnabled[n] = section.Flag("Temp" + std::to_string(n) + "Enable", "TRUE");
  s.HardwareEnabled = section.Flag("LM78Enable", "FALSE");
  for (int n = 1; n <= 3; ++n)
    s.FanType[n] = section.Number("Fan" + std::to_string(n) + "Type", "0");
  return s;
}
