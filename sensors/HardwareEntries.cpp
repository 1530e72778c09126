#include "sensors/HardwareEntries.h"

// The hardware monitor library is not linked yet: no functions, no settings.

TSensorFunction HardwareSensorFunction(int32_t) { return nullptr; }

TWarningFunction HardwareCheckFunction(int32_t) { return nullptr; }

void HardwareStartUpProbe() {}

void LoadHardwareSettings() {}
