#pragma once
// The hardware-monitor entries of the catalogues: sensors 16-24 (four
// temperatures, processor voltages, system voltages, three fans) and warning
// kinds 4-12, read through Chipwatch.dll and governed by the "LM78"
// settings.
#include <cstdint>

#include "shared/core/PluginContract.h"

// Sensor 16-24; none for other numbers.
TSensorFunction HardwareSensorFunction(int32_t number);
// Kind 4-12; none for other numbers.
TWarningFunction HardwareCheckFunction(int32_t number);

// Start-up step of InitBuiltIns: asks the library once whether the chip is
// there (the answer is not used).
void HardwareStartUpProbe();
// Every InitBuiltIns: reads section "LM78" into the hardware settings.
void LoadHardwareSettings();
