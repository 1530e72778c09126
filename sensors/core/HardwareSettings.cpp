#include "sensors/core/HardwareSettings.h"

#include <string>

HardwareSettings ReadHardwareSettings(SettingsSource& settings) {
  const SettingsSection section(settings, "LM78");
  HardwareSettings s;
  s.CoreOnPort1 = section.IsOn("CorePort1", "FALSE");
  s.CoreVoltNominal = section.Number("CoreVolt", "250");
  for (int n = 1; n <= 4; ++n)
    s.TempComp[n] = section.Number("TempComp" + std::to_string(n), "0");
  for (int n = 1; n <= 4; ++n)
    s.TempEnabled[n] = section.IsOn("Temp" + std::to_string(n) + "Enable", "TRUE");
  s.HardwareEnabled = section.IsOn("LM78Enable", "FALSE");
  for (int n = 1; n <= 3; ++n)
    s.FanType[n] = section.Number("Fan" + std::to_string(n) + "Type", "0");
  return s;
}
