#pragma once
// The hardware-monitor entries of the catalogues: sensors 16-24 (four
// temperatures, processor voltages, system voltages, three fans) and warning
// kinds 4-12, with the "LM78" settings they follow. Their names and alert
// texts are in the catalogues already; their functions come with the
// hardware monitor library. Until then every one answers none: its panel
// shows "Error" and its warning never fires.
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
