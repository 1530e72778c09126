#pragma once
// The decisions of built-in warning kinds 4-12; true means alert. The
// threshold is the warning's WarnVal. May raise IntOverflowError.
#include <cstdint>

#include "sensors/core/HardwareReader.h"
#include "sensors/core/HardwareSettings.h"

// 4-7: channel 1-4, compensated, above the threshold in degrees. A channel
// that is switched off never alerts and is not read.
bool TemperatureCheck(HardwareReader& reader, const HardwareSettings& settings, int32_t channel,
                      int32_t threshold);
// 8: the core (against "CoreVolt") or the processor I/O voltage (against
// 3.44 V) beyond threshold percent: above nominal x f or below nominal / f,
// f = 1 + threshold / 100. A reading on a bound does not alert.
bool ProcessorVoltageCheck(HardwareReader& reader, const HardwareSettings& settings,
                           int32_t threshold);
// 9: +5, -5, +12 or -12 V beyond threshold percent in the same sense (for a
// negative rail: below nominal x f or above nominal / f).
bool SystemVoltageCheck(HardwareReader& reader, const HardwareSettings& settings,
                        int32_t threshold);
// 10-12: fan 1-3 below the threshold in rpm; never for type 0 or a type
// outside 0-3.
bool FanCheck(HardwareReader& reader, const HardwareSettings& settings, int32_t fan,
              int32_t threshold);
