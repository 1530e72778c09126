#pragma once
// The hardware monitor's settings, section "LM78" of the bar's key. The
// settings dialog writes them; the bar reads them on every settings load.
#include <cstdint>

#include "shared/core/SettingsSource.h"

struct HardwareSettings {
  bool CoreOnPort1 = false;       // "CorePort1": core voltage on channel 1, else 2
  int32_t CoreVoltNominal = 250;  // "CoreVolt": hundredths of a volt
  int32_t TempComp[5] = {};       // "TempComp1"-"TempComp4": degrees added, [1..4]
  bool TempEnabled[5] = {false, true, true, true, true};  // "Temp1Enable"-"Temp4Enable"
  bool HardwareEnabled = false;   // "LM78Enable": voltages and fans
  int32_t FanType[5] = {};        // "Fan1Type"-"Fan3Type", [1..3]: 0 none, 1 x2, 2 x1, 3 x0.5
};

// Reads the section key by key in the order CorePort1, CoreVolt,
// TempComp1-4, Temp1Enable-4, LM78Enable, Fan1Type-3. A flag is on only for
// the exact text "TRUE"; numbers are read leniently.
HardwareSettings ReadHardwareSettings(SettingsSource& settings);
